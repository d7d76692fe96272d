// The session a format 200 client has with a file a host just opened, through
// the module's factory, whichever host: list, load and dump every simulation,
// save each one read again, upgrade, save the file and reopen it. Aborts when
// the list and LoadSim differ, a save that answered success does not read
// back, a save or the upgrade loses or changes a simulation that was read, or
// the saved file does not read the same.
#pragma once

#include <string>

class Client200Host
{
public:
    virtual ~Client200Host() = default;
    // Writes the host's file; true when the host answered success.
    virtual bool SaveFile() = 0;
    // Replaces what the host holds with the file written last; true when it reads.
    virtual bool ReopenFile() = 0;
    // Aborts when the host saw a fault of the module since the session began.
    virtual void CheckHost(const std::string& step) = 0;
};

void RunClient200Session(Client200Host& host);
