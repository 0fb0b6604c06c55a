// Files dragged onto the window from a file manager.
#pragma once

#include <QString>

class QMimeData;

namespace kalvor {

// Whether a drag carries links (files or addresses) rather than plain text;
// a text that is itself a "file:" address counts as a link.
bool carries_links(const QMimeData& data);

// The native path of the one local file a drag carries; a null text when it
// carries anything else: plain text, several files, a folder, a remote
// address.
QString dropped_file(const QMimeData& data);

}  // namespace kalvor
