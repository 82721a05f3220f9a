#pragma once
// Texts that the device sends: Windows-1250 bytes up to the first zero byte.

#include <QString>

#include <cstddef>

namespace vx52 {

QString deviceText(const char* bytes, std::size_t capacity);

} // namespace vx52
