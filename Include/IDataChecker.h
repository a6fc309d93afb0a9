#pragma once

// Decides whether the data an edit dialog holds may be accepted; it tells the user why not itself.
template <class Dialog> class IDataChecker
{
public:
    virtual ~IDataChecker() = default;
    virtual bool check(Dialog* dialog) = 0;
};
