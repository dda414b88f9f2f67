#pragma once

// One step of the system database upgrade chain.
class ClientSingleUpdater {
public:
    enum Status {
        STATUS_NEED_UPDATE = 0,     // the file is at this step's source version
        STATUS_NO_NEED_UPDATE = 1,  // the file is past it
        STATUS_ERROR = 2,           // below it, or the version cannot be read
    };

    virtual ~ClientSingleUpdater() = default;
    // True when the live file has been replaced by the upgraded copy.
    virtual bool update() = 0;
    virtual Status getClientStatus() const = 0;
};
