#include "base/list_file_save.h"

SaveStep SaveStepFor(FileSinceRead file, bool addMode) {
    if (file != FileSinceRead::kChanged) return SaveStep::kWrite;
    return addMode ? SaveStep::kAddToFileAsItIsNow : SaveStep::kAskAboutChange;
}
