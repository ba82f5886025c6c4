#pragma once

#include <string>

namespace qff {

// Fixed texts and separators of the two passes' log lines, in one place so the
// passes and their tests agree on every character.
namespace jobtext {

inline const std::string kEol = "\r\n";
// File separator: closes the block of lines of one file.
inline const std::string kStarLine = std::string(85, '*') + "\r\n";
// Pass separator: closes a pass, followed by one empty line.
inline const std::string kUnderscoreLine = std::string(64, '_') + "\r\n\r\n";

inline const std::string kPreviewAvailable = " preview of file is available....";
inline const std::string kRepaired = "  Repaired....";
inline const std::string kExtractionFailed = " extraction of file failed....";
inline const std::string kNotExtractingStopped =
    " file is not extracting as process has been stop by the user.... ";
inline const std::string kNotRepaired = " not Repaired....";
inline const std::string kRepairCompleted = "Repairing process completed....";

inline const std::string kCannotBeSaved = " cannot be saved,as it is not Repaired.";
inline const std::string kNotSavingStopped =
    " file is not saving as process has been stop by the user.... ";
inline const std::string kNotSaved = " not saved....";
inline const std::string kSavingStarts = " saving of file starts....";
inline const std::string kNoMedia = " no media content is present in the file....";
inline const std::string kMediaDone = " Media extration is done....";
inline const std::string kSavingDone = " saving of file done....";
inline const std::string kSavingFailed = " saving of file failed....";
inline const std::string kSaveCompleted = "Saving processing completed....";

inline const std::string kStopQuestion = "Are you sure to stop the running process?";
inline const std::string kInvalidFolder = "Please select a valid folder path.";
inline const std::string kSavedNotice =
    "File(s) saving process has been completed.Saved file(s) location is:<br><a href=";

}  // namespace jobtext
}  // namespace qff
