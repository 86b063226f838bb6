#include "platform/FileReplacement.h"

#include "platform/FileSystem.h"

namespace velora::platform {

namespace {
class MemoryReplacement final : public FileReplacement {
public:
    explicit MemoryReplacement(FileSystem& files) : files_(files) {}
    void Append(const char* data, std::size_t size) override { content_.append(data, size); }
    void Commit(const std::string& path) override { files_.ReplaceContents(path, content_); }

private:
    FileSystem& files_;
    std::string content_;
};
}  // namespace

std::unique_ptr<FileReplacement> ReplacementInMemory(FileSystem& files) {
    return std::make_unique<MemoryReplacement>(files);
}

std::unique_ptr<FileReplacement> FileSystem::BeginReplacement(const std::string& /*path*/) {
    return ReplacementInMemory(*this);
}

}  // namespace velora::platform
