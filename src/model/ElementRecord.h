#pragma once

#include <functional>

class MyFile;
class XControl;

// Reads one element record: the version and type bytes, a new element of that type,
// its links (set before Load, as every element expects), then its own items. Returns
// null, with the file marked failed, when the record cannot be read; the caller owns
// the element otherwise.
XControl* ReadElementRecord(MyFile& file, const std::function<XControl*(int)>& create,
                            const std::function<void(XControl*)>& link);
