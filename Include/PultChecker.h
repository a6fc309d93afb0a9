#pragma once

#include "IDataChecker.h"

class PultEditDialog;

namespace config_zelmar {
class Configuration;
}

// Refuses a section console dialog with an empty name or duplicate name, or with an address that another
// section already has.
class PultChecker : public IDataChecker<PultEditDialog>
{
public:
    // editedAddress: the address of the section being edited, -1 when adding or copying.
    PultChecker(const config_zelmar::Configuration* configuration, int editedAddress);

    bool check(PultEditDialog* dialog) override;

private:
    const config_zelmar::Configuration* configuration;
    int editedAddress;
};
