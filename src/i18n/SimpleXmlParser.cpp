#include "i18n/SimpleXmlParser.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "i18n/SimpleXml.h"
#include "i18n/XmlValueDecoding.h"
#include "text/Text.h"

namespace velora::i18n {

namespace {

constexpr std::string_view kPrologText = "Invalid Document: Unexpected text in file prolog";
constexpr std::string_view kBeginOfTag = "Invalid XML Element: Expected beginning of tag but \"%s\" found";
constexpr std::string_view kNoValidName = "Invalid XML Element: malformed tag found (no valid name)";
constexpr std::string_view kEndOfTag = "Invalid XML Element: Expected end of tag but \"%s\" found";
constexpr std::string_view kWrongEndTag =
    "Invalid XML Element: Erroneous end of tag, expecting </%0:s> but </%1:s> found";
constexpr std::string_view kPropertyChar =
    "Invalid XML Element: Unexpected character in property declaration (\"%s\" found)";
constexpr std::string_view kPropertyQuote =
    "Invalid XML Element: Unexpected character in property declaration. Expecting \" or ' but \"%s\"  found";
constexpr std::string_view kCommentExpected = "Invalid Comment: expected \"%0:s\" but found \"%1:s\"";
constexpr std::string_view kCommentDashes = "Invalid Comment: \"--\" not allowed inside comments";
constexpr std::string_view kCommentEnd = "Invalid Comment: Unexpected end of data";
constexpr std::string_view kCDataExpected = "Invalid CDATA: expected \"%0:s\" but found \"%1:s\"";
constexpr std::string_view kCDataEnd = "Invalid CDATA: Unexpected end of data";
constexpr std::string_view kHeaderExpected = "Invalid Header: expected \"%0:s\" but found \"%1:s\"";
constexpr std::string_view kSheetExpected = "Invalid Stylesheet: expected \"%0:s\" but found \"%1:s\"";
constexpr std::string_view kSheetEnd = "Invalid Stylesheet: Unexpected end of data";

// Fills "%s" (arguments in turn) and "%0:s", "%1:s" (by number) in one pass,
// so that a "%" inside an argument is never taken for a placeholder.
std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> args) {
    const std::string_view* arg = args.begin();
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && format.substr(i, 2) == "%s") {
            out.append(arg[0]);
            ++arg;
            ++i;
        } else if (format[i] == '%' && format.substr(i + 2, 2) == ":s" && format[i + 1] >= '0' &&
                   format[i + 1] <= '9') {
            out.append(args.begin()[format[i + 1] - '0']);
            i += 3;
        } else {
            out.push_back(format[i]);
        }
    }
    return out;
}

std::string Byte(char c) { return std::string(1, c); }

bool IsWhitespace(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

// Whitespace and the bytes of UTF-8 and UTF-16 byte-order marks, skipped
// between the tags of the prolog.
bool IsPrologFiller(char c) {
    switch (static_cast<unsigned char>(c)) {
        case 0x00: case 0x09: case 0x0A: case 0x0D: case 0x20:
        case 0xBB: case 0xBF: case 0xEF: case 0xFE: case 0xFF:
            return true;
        default:
            return false;
    }
}

bool IsAttributeNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

std::string_view TrimWhitespace(std::string_view s) {
    while (!s.empty() && IsWhitespace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsWhitespace(s.back())) s.remove_suffix(1);
    return s;
}

std::string JoinPrefix(const std::string& prefix, const std::string& name) {
    return prefix.empty() ? name : prefix + ":" + name;
}

// An element whose start tag has been read and whose content is being read.
// Its name is applied only when it is complete; until then it is owned here
// (the root excepted, which the document holds), so that an element whose
// parse fails disappears with everything inside it.
struct OpenElement {
    TSimpleXMLElemClassic* element;
    std::unique_ptr<TSimpleXMLElemClassic> owned;
    std::string name;
    std::string prefix;
    size_t runStart;  // where the current text run began
    bool sawWhitespace = false;
    bool appendedNode = false;
};

// Why reading an element's content stopped.
struct ContentStop {
    bool endTag;          // false: a child element starts at `at`
    std::string endText;  // the end tag's "prefix:name"; "" when the input ran out
    size_t at;
};

enum class StartTagEnd { Closed, Open };

class Parser {
public:
    Parser(std::string_view input, TSimpleXML& document)
        : input_(input), document_(document), options_(document.Options()) {}

    void Run() {
        ParseProlog();
        ParseRoot();
    }

private:
    bool AtEnd() const { return pos_ >= input_.size(); }
    char Next() { return input_[pos_++]; }

    [[noreturn]] static void Fail(std::string_view message, size_t offset) {
        throw ESimpleXMLError(std::string(message), offset);
    }

    // The bytes of `literal` must follow one by one.
    void Expect(std::string_view literal, std::string_view mismatch, std::string_view endOfData) {
        for (char wanted : literal) {
            if (AtEnd()) Fail(endOfData, pos_);
            const char found = Next();
            if (found != wanted) Fail(FormatMessage(mismatch, {Byte(wanted), Byte(found)}), pos_ - 1);
        }
    }

    std::string Decoded(std::string_view raw) const {
        return options_.Contains(sxoAutoEncodeValue) ? DecodeXmlValue(raw) : std::string(raw);
    }

    template <typename Node>
    std::unique_ptr<Node> NewNode(TSimpleXMLElem* parent) {
        return std::make_unique<Node>(parent, &document_);
    }

    // --- prolog ---

    void ParseProlog() {
        while (!AtEnd()) {
            const char c = Next();
            if (IsPrologFiller(c)) continue;
            if (c != '<') Fail(kPrologText, pos_ - 1);
            const size_t tagStart = pos_ - 1;
            std::string opener = "<";
            std::unique_ptr<TSimpleXMLElem> node;
            while (!node) {
                // An opener that never matches (another processing instruction)
                // takes the rest of the input with it.
                if (AtEnd()) return;
                const char b = Next();
                if (!(IsWhitespace(b) && opener == "<![CDATA")) opener.push_back(b);
                if (opener == "<![CDATA[") {
                    pos_ = tagStart;
                    return;
                }
                if (opener == "<!--") {
                    pos_ = tagStart;
                    node = ReadComment(nullptr);
                } else if (opener == "<?xml-stylesheet") {
                    pos_ = tagStart;
                    node = ReadStylesheet();
                } else if (opener == "<?xml ") {
                    pos_ = tagStart;
                    node = ReadDeclaration();
                } else if (opener == "<!DOCTYPE") {
                    pos_ = tagStart;
                    node = ReadDocType();
                } else if (opener.size() >= 2 && opener[1] != '!' && opener[1] != '?') {
                    pos_ = tagStart;
                    return;
                }
            }
            document_.Prolog().Add(std::move(node));
        }
    }

    std::unique_ptr<TSimpleXMLElem> ReadDeclaration() {
        Expect("<?xml", kHeaderExpected, kCommentEnd);
        auto node = NewNode<TSimpleXMLElemHeader>(nullptr);
        ReadAttributes(*node);
        Expect("?>", kHeaderExpected, kCommentEnd);
        node->SetVersion(node->PropertyValue("version"));
        node->SetEncoding(node->PropertyValue("encoding"));
        node->SetStandalone(node->PropertyValue("standalone") == "yes");
        node->Properties().Clear();
        return node;
    }

    std::unique_ptr<TSimpleXMLElem> ReadStylesheet() {
        Expect("<?xml-stylesheet", kSheetExpected, kSheetEnd);
        auto node = NewNode<TSimpleXMLElemSheet>(nullptr);
        ReadAttributes(*node);
        Expect("?>", kSheetExpected, kSheetEnd);
        return node;
    }

    // The body runs to ">", except inside "[...]", so that an internal subset
    // may hold ">".
    std::unique_ptr<TSimpleXMLElem> ReadDocType() {
        Expect("<!DOCTYPE", kHeaderExpected, kCommentEnd);
        const size_t start = pos_;
        bool inSubset = false;
        while (true) {
            if (AtEnd()) Fail(kCommentEnd, pos_);
            const char c = Next();
            if (inSubset) {
                if (c == ']') inSubset = false;
            } else if (c == '[') {
                inSubset = true;
            } else if (c == '>') {
                break;
            }
        }
        auto node = NewNode<TSimpleXMLElemDocType>(nullptr);
        node->SetValue(std::string(TrimWhitespace(input_.substr(start, pos_ - 1 - start))));
        return node;
    }

    // --- nodes that may stand anywhere ---

    std::unique_ptr<TSimpleXMLElem> ReadComment(TSimpleXMLElem* parent) {
        Expect("<!--", kCommentExpected, kCommentEnd);
        std::string content;
        int dashes = 0;
        while (true) {
            if (AtEnd()) Fail(kCommentEnd, pos_);
            const char c = Next();
            if (dashes == 0) {
                if (c == '-') dashes = 1;
                else content.push_back(c);
            } else if (dashes == 1) {
                if (c == '-') {
                    dashes = 2;
                } else {
                    content.push_back('-');
                    content.push_back(c);
                    dashes = 0;
                }
            } else {
                if (c == '>') break;
                // "--x" is let through only right before a ">", which then is
                // plain content again.
                if (AtEnd()) Fail(kCommentEnd, pos_);
                if (input_[pos_] != '>') Fail(kCommentDashes, pos_ - 1);
                content.append("--");
                content.push_back(c);
                dashes = 0;
            }
        }
        auto node = NewNode<TSimpleXMLElemComment>(parent);
        node->SetValue(std::move(content));
        return node;
    }

    // "]]" followed by anything but ">" is content, so "]]]>" does not close.
    std::unique_ptr<TSimpleXMLElem> ReadCData(TSimpleXMLElem* parent) {
        Expect("<![CDATA[", kCDataExpected, kCDataEnd);
        std::string content;
        int brackets = 0;
        while (true) {
            if (AtEnd()) Fail(kCDataEnd, pos_);
            const char c = Next();
            if (brackets == 0) {
                if (c == ']') brackets = 1;
                else content.push_back(c);
            } else if (brackets == 1) {
                if (c == ']') {
                    brackets = 2;
                } else {
                    content.push_back(']');
                    content.push_back(c);
                    brackets = 0;
                }
            } else {
                if (c == '>') break;
                content.append("]]");
                content.push_back(c);
                brackets = 0;
            }
        }
        auto node = NewNode<TSimpleXMLElemCData>(parent);
        node->SetValue(std::move(content));
        return node;
    }

    // Attributes up to "/", ">" or "?", which is left unread. Each attribute
    // is added when its closing quote is read; one cut off by the end of the
    // input is dropped.
    void ReadAttributes(TSimpleXMLElem& owner) {
        enum class State { Between, InName, BeforeEquals, BeforeValue };
        State state = State::Between;
        std::string name, prefix;
        for (; !AtEnd(); ++pos_) {
            const char c = input_[pos_];
            switch (state) {
                case State::Between:
                    if (IsWhitespace(c)) break;
                    if (c == '/' || c == '>' || c == '?') return;
                    if (!IsAttributeNameChar(c)) Fail(FormatMessage(kPropertyChar, {Byte(c)}), pos_);
                    name.assign(1, c);
                    prefix.clear();
                    state = State::InName;
                    break;
                case State::InName:
                    if (IsAttributeNameChar(c)) name.push_back(c);
                    else if (c == ':') prefix = std::exchange(name, {});
                    else if (c == '=') state = State::BeforeValue;
                    else if (IsWhitespace(c)) state = State::BeforeEquals;
                    else Fail(FormatMessage(kPropertyChar, {Byte(c)}), pos_);
                    break;
                case State::BeforeEquals:
                    if (c == '=') state = State::BeforeValue;
                    else if (!IsWhitespace(c)) Fail(FormatMessage(kPropertyChar, {Byte(c)}), pos_);
                    break;
                case State::BeforeValue: {
                    if (IsWhitespace(c)) break;
                    if (c != '"' && c != '\'') Fail(FormatMessage(kPropertyQuote, {Byte(c)}), pos_);
                    const size_t close = input_.find(c, pos_ + 1);
                    if (close == std::string_view::npos) {
                        pos_ = input_.size();
                        return;
                    }
                    owner.Properties().Add(name, Decoded(input_.substr(pos_ + 1, close - pos_ - 1)), prefix);
                    pos_ = close;
                    state = State::Between;
                    break;
                }
            }
        }
    }

    // --- elements ---

    // Reads from the "<" up to the end of the start tag: Open after its ">",
    // Closed after "/>" or when the input ends inside the tag.
    StartTagEnd ReadStartTag(TSimpleXMLElemClassic& element, std::string& name, std::string& prefix) {
        if (AtEnd()) return StartTagEnd::Closed;
        const char first = Next();
        if (first != '<') Fail(FormatMessage(kBeginOfTag, {Byte(first)}), pos_ - 1);
        while (!AtEnd()) {
            const char c = Next();
            if (c == ':') {
                prefix = std::exchange(name, {});
            } else if (IsWhitespace(c)) {
                if (name.empty()) Fail(kNoValidName, pos_ - 1);
                // Attributes stop at "/", ">" or "?"; a "?" then joins the name.
                ReadAttributes(element);
            } else if (c == '/') {
                if (AtEnd()) return StartTagEnd::Closed;
                const char next = Next();
                if (next != '>') Fail(FormatMessage(kEndOfTag, {Byte(next)}), pos_ - 1);
                return StartTagEnd::Closed;
            } else if (c == '>') {
                return StartTagEnd::Open;
            } else {
                name.push_back(c);
            }
        }
        return StartTagEnd::Closed;
    }

    // An element's value is its only child's when that child is text.
    static void Complete(TSimpleXMLElemClassic& element, std::string name, std::string prefix) {
        if (element.ItemCount() == 1 && element.Item(0).Is(TSimpleXMLElemKind::Text)) {
            std::string value = element.Item(0).Value();
            element.Items().Delete(0);
            element.SetValue(std::move(value));
        } else {
            element.SetValue({});
        }
        element.SetName(std::move(name));
        element.SetPrefix(std::move(prefix));
    }

    void Append(OpenElement& open, std::unique_ptr<TSimpleXMLElem> node) {
        open.element->Items().Add(std::move(node));
        open.appendedNode = true;
        open.runStart = pos_;
    }

    // The text of an end tag after its "</", up to ">"; nothing when the
    // input ends first. Whitespace is collected like any other byte.
    std::optional<std::string> ReadEndTagText() {
        std::string name, prefix;
        while (!AtEnd()) {
            const char c = Next();
            if (c == '>') return JoinPrefix(prefix, name);
            if (c == ':') prefix = std::exchange(name, {});
            else name.push_back(c);
        }
        return std::nullopt;
    }

    // Reads text, CDATA and comment nodes into `open` until a child element
    // starts or the content ends.
    ContentStop ReadContent(OpenElement& open) {
        const bool trimText = options_.Contains(sxoTrimPrecedingTextWhitespace);
        while (true) {
            if (AtEnd()) return {true, {}, pos_};
            const char c = input_[pos_];
            if (IsWhitespace(c)) {
                ++pos_;
                open.sawWhitespace = true;
                continue;
            }
            if (c != '<') {
                const size_t start = trimText ? pos_ : open.runStart;
                size_t end = input_.find('<', pos_);
                if (end == std::string_view::npos) end = input_.size();
                auto text = NewNode<TSimpleXMLElemText>(open.element);
                text->SetValue(Decoded(input_.substr(start, end - start)));
                pos_ = end;
                Append(open, std::move(text));
                continue;
            }

            const size_t tagStart = pos_++;
            std::string opener = "<";
            while (true) {
                if (AtEnd()) return {true, {}, pos_};
                const char b = Next();
                if (b == ' ' || b == ':' || b == '>') return {false, {}, tagStart};
                if (b == '/') {
                    if (opener.size() > 1) return {false, {}, tagStart};
                    std::optional<std::string> endText = ReadEndTagText();
                    if (!endText) return {true, {}, pos_};
                    // An element holding only whitespace keeps it as its value.
                    if (open.sawWhitespace && !open.appendedNode && !trimText) {
                        auto text = NewNode<TSimpleXMLElemText>(open.element);
                        text->SetValue(Decoded(input_.substr(open.runStart, tagStart - open.runStart)));
                        open.element->Items().Add(std::move(text));
                    }
                    return {true, std::move(*endText), tagStart};
                }
                if (IsWhitespace(b) && opener == "<![CDATA") continue;
                opener.push_back(b);
                if (opener == "<![CDATA[") {
                    pos_ = tagStart;
                    Append(open, ReadCData(open.element));
                    break;
                }
                if (opener == "<!--") {
                    pos_ = tagStart;
                    Append(open, ReadComment(open.element));
                    break;
                }
            }
        }
    }

    // The root element with everything inside it. Nesting is kept on an
    // explicit stack rather than the call stack, so any depth is safe.
    void ParseRoot() {
        TSimpleXMLElemClassic& root = document_.Root();
        std::string name, prefix;
        if (ReadStartTag(root, name, prefix) == StartTagEnd::Closed) {
            Complete(root, std::move(name), std::move(prefix));
            return;
        }
        std::vector<OpenElement> open;
        open.push_back({&root, nullptr, std::move(name), std::move(prefix), pos_});
        while (!open.empty()) {
            ContentStop stop = ReadContent(open.back());
            if (!stop.endTag) {
                OpenElement& parent = open.back();
                auto child = NewNode<TSimpleXMLElemClassic>(parent.element);
                std::string childName, childPrefix;
                pos_ = stop.at;
                if (ReadStartTag(*child, childName, childPrefix) == StartTagEnd::Closed) {
                    Complete(*child, std::move(childName), std::move(childPrefix));
                    Append(parent, std::move(child));
                } else {
                    TSimpleXMLElemClassic* element = child.get();
                    open.push_back({element, std::move(child), std::move(childName), std::move(childPrefix), pos_});
                }
                continue;
            }
            OpenElement& done = open.back();
            if (!text::SameText(JoinPrefix(done.prefix, done.name), stop.endText))
                Fail(FormatMessage(kWrongEndTag, {done.name, stop.endText}), stop.at);
            Complete(*done.element, std::move(done.name), std::move(done.prefix));
            std::unique_ptr<TSimpleXMLElemClassic> finished = std::move(done.owned);
            open.pop_back();
            if (!open.empty()) Append(open.back(), std::move(finished));
        }
    }

    std::string_view input_;
    size_t pos_ = 0;
    TSimpleXML& document_;
    const TSimpleXMLOptions options_;
};

}  // namespace

void ParseSimpleXml(std::string_view bytes, TSimpleXML& document) {
    Parser(bytes, document).Run();
}

}  // namespace velora::i18n
