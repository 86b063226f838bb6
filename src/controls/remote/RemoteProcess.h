#pragma once
// The process a form's window lives in, as the form's side sees it: started
// when needed, told lines, heard from, asked to end. The GTK side spawns the
// program itself for it (gtk/pagewindow/PageProcess.h); the tests use a fake.

#include "controls/remote/RemoteLines.h"

namespace velora::controls {

class RemoteProcessListener {
public:
    virtual void MessageArrived(const RemoteFields& fields) = 0;
    // The process ended by itself (or could not start); not after Stop.
    virtual void ProcessEnded() = 0;

protected:
    ~RemoteProcessListener() = default;
};

class RemoteProcess {
public:
    virtual ~RemoteProcess() = default;

    // Starts a process when none runs; what is sent from here on reaches it
    // in order, also while it is still starting.
    virtual void Start(RemoteProcessListener& listener) = 0;
    virtual bool Running() const = 0;
    // Nothing when none runs.
    virtual void Send(const RemoteFields& fields) = 0;
    // Asks the process to end; nothing more is heard of it.
    virtual void Stop() = 0;
};

}  // namespace velora::controls
