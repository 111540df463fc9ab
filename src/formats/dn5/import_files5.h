#pragma once
// The texts of the input-file preparation (common/input_file.h) in the
// DATANORM 5 imports.

#include "common/input_file.h"

namespace dn::dn5 {

inline constexpr InputFileTexts kInputFile{
    .noDriveLetter = "Stammdatenpfad ohne Laufwerksbuchstabe!",
    .emptyHasNoDriveLetter = true,
    .lowSpaceQuestion = "Zu wenig Festplattenspeicher!\n\nTrotzdem fortsetzen?",
    .copyCaptionWithPath = false,
    .unknownSize = 0,
};

}  // namespace dn::dn5
