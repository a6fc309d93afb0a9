#include "config_zelmar/WriteStamp.h"

#include "config_zelmar/MemoryMap.h"

#include "boot_loader/MemoryImage.h"

#include <tuple>

namespace config_zelmar {

namespace opt = memory_map::options;

namespace {

uint8_t storedByte(const std::vector<uint8_t>& bytes, uint32_t index)
{
    return index < bytes.size() ? bytes[index] : 0xFF;
}

} // namespace

WriteStamp::WriteStamp(const std::vector<uint8_t>& storedBytes, const LocalDate& today)
{
    const uint8_t day = storedByte(storedBytes, opt::lastWriteDay);
    const uint8_t month = storedByte(storedBytes, opt::lastWriteMonth);
    const uint8_t year = storedByte(storedBytes, opt::lastWriteYear);
    const uint8_t counter = storedByte(storedBytes, opt::writeCounter);
    const auto todayDay = static_cast<uint8_t>(today.day);
    const auto todayMonth = static_cast<uint8_t>(today.month);
    const auto todayYear = static_cast<uint8_t>(((today.year % 100) + 100) % 100);
    // A PC clock behind the panel's last write must not move the date backwards; 0xFF bytes of an
    // erased panel count as later than any date.
    const bool storedIsLater = std::tie(year, month, day) > std::tie(todayYear, todayMonth, todayDay);
    stampDay = storedIsLater ? day : todayDay;
    stampMonth = storedIsLater ? month : todayMonth;
    stampYear = storedIsLater ? year : todayYear;
    stampCounter = counter == 0xFF ? counter : static_cast<uint8_t>(counter + 1);
}

void WriteStamp::applyTo(boot_loader::MemoryImage& optionsImage) const
{
    optionsImage.setByte(opt::lastWriteDay, stampDay);
    optionsImage.setByte(opt::lastWriteMonth, stampMonth);
    optionsImage.setByte(opt::lastWriteYear, stampYear);
    optionsImage.setByte(opt::writeCounter, stampCounter);
}

} // namespace config_zelmar
