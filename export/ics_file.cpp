#include "export/ics_file.h"

#include "almanac/almanac_database.h"
#include "base/file_system.h"
#include "days/day_data.h"
#include "festivals/shipped_festivals.h"

IcsExport ExportFolderIcs(const std::filesystem::path& moduleFolder, const IcsExportChoices& choices,
                          const IcsStamp& stamp, const IcsProgress& progress) {
    // Its own copy of the files: the almanac's database stays on the thread
    // that opened it.
    DayData sources;
    sources.LoadFolder(moduleFolder);
    IcsExport result;
    if (sources.waitingFiles().any()) {
        result.outcome = IcsOutcome::kCancelled;
    } else {
        IcsExportChoices withSchedule = choices;
        withSchedule.offDays = &sources.offDays();
        result = ExportIcs(sources.festivals(), ShippedFestivals(), sources.reminders(), &sources.almanac(),
                           withSchedule, stamp, progress);
    }
    sources.Close();
    return result;
}

IcsFileWrite WriteSubscribedIcs(const std::filesystem::path& moduleFolder, const IcsSubscription& subscription,
                                int thisYear, const IcsStamp& stamp) {
    IcsExportChoices choices = subscription.choices;
    choices.firstYear = thisYear;
    const IcsExport result = ExportFolderIcs(moduleFolder, choices, stamp);
    switch (result.outcome) {
        case IcsOutcome::kCancelled:
            return IcsFileWrite::kNotRead;
        case IcsOutcome::kTooLarge:
            return IcsFileWrite::kTooLarge;
        case IcsOutcome::kWritten:
            break;
    }
    if (subscription.file.empty() || !ReplaceFileAtomically(subscription.file, result.text)) {
        return IcsFileWrite::kUnwritable;
    }
    return IcsFileWrite::kWritten;
}
