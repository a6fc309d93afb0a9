#pragma once

namespace config_zelmar {

// What a transfer is busy with, for the user to see beside its progress.
enum class TransferPhase
{
    ReadingPanel, // "Чтение прибора": the panel's content is read before a write
    Writing,      // "Запись в прибор"
    Verifying     // "Проверка записи": the written pages are read back
};

// The phase's Russian name, UTF-8.
inline const char* transferPhaseText(TransferPhase phase)
{
    switch (phase) {
    case TransferPhase::ReadingPanel:
        return "Чтение прибора";
    case TransferPhase::Writing:
        return "Запись в прибор";
    case TransferPhase::Verifying:
        return "Проверка записи";
    }
    return "";
}

} // namespace config_zelmar
