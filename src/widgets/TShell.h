#pragma once

#include <QString>
#include <functional>

// The seam through which the program asks the system shell to "open" an
// address. Tests install a hook that records the address instead.
class TShell
{
public:
    using Hook = std::function<bool(const QString &address)>;

    // Returns whether the shell accepted the address.
    static bool open(const QString &address);
    static void setHook(Hook hook);

private:
    static Hook &hook();
};
