#pragma once

#include <QString>

// Where the file dialogs start: the user's documents folder, or the home folder where it does not exist
// (many Linux accounts have none), since a file dialog given a missing folder would take its name for the
// file name.
QString documentsLocation();
