#pragma once

#include <functional>

class ConnectionCheckDialog;

// Runs the action once the dialog's check has run. The dialog starts its check by itself when shown,
// and a modal closer may come upon it before, during or after that; during, the action waits for the
// end of the check, and before, the check is run here.
void whenChecked(ConnectionCheckDialog* check, const std::function<void()>& action);
