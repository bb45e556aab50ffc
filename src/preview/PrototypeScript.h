#pragma once

#include <QString>

// The fixed parts of a prototype's index.html: its style sheet and the script that runs
// the touch rules over the data the writer puts beside it.
namespace PrototypeScript {
QString StyleSheet();
QString Script();
}
