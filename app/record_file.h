#pragma once
// Writes the record buffer to the recording file. Each write replaces the file whole: the
// bytes go to a temporary file beside it, which is then renamed over it, so a write that fails
// or is cut short leaves the previous file as it was.

#include <QString>

namespace vx52 {

class RecordBuffer;

// Raises Failure with the reason when the file cannot be written (also when the Windows-1250
// code page is missing); the buffer is not touched.
void writeRecordFile(const QString& fileName, const RecordBuffer& buffer);

} // namespace vx52
