#pragma once

namespace core {

// The official holiday list that comes with the program (help/resmi-tatiller.txt, built in
// so the calculation never depends on finding it), UTF-8.
const char* ShippedHolidayListText();

}  // namespace core
