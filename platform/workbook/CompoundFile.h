#pragma once

#include <string>
#include <string_view>

namespace morvane::workbook {

// The OLE2 compound file (structured storage, version 3, 512-byte sectors)
// that holds an .xls workbook stream.
//
// The writer stores one stream under the root storage. Streams below the
// 4096-byte cutoff would belong in the mini stream; the writer pads its
// stream to the cutoff instead, which BIFF readers accept because they stop
// at the sheets' EOF records.
// Takes the stream by value: pass it with std::move to save a copy.
std::string writeCompoundFile(std::string_view streamName, std::string stream);

// The stream of that name (case-insensitive, as the format compares names)
// directly under the root storage, read through the FAT, the DIFAT chain
// and the mini stream as needed. Throws WorkbookError when the bytes are not
// a compound file, a sector chain is broken, or there is no such stream.
std::string readCompoundStream(std::string_view file, std::string_view streamName);

}  // namespace morvane::workbook
