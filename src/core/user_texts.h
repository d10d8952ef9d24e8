// Every text the set-up program shows or writes about itself, kept in one
// place so that each appears once.
#pragma once
#include <cstdint>

// Names of the product, its version label and the message-box captions.
extern const char TextProductName[];      // "Brightlark"; also the product window's class
extern const char TextVersionLabel[];     // "VERSION 9"
extern const char TextDottedVersion[];    // "9.0.0.900", as the version information gives it
// The publisher the builder names, "" for none; in a file of its own
// (build_settings.cpp), so that a build of the tests can name another.
extern const char TextPublisher[];
extern const char TextSetupCaption[];     // "Install Brightlark"; also the window class
                                          // and the mutex that mark a running set-up
extern const char TextErrorCaption[];     // "Installation Error"

// Failures that end the run, as codes: each has its text in the table of
// user_texts.cpp. A failure that names a file (a damaged payload file) is
// told with the file's name inside its text.
enum Failure : std::uint32_t {
    FailureNone,
    FailureGeneral,
    FailureMemory,
    FailurePlatform,
    FailureResource,
    FailureCreateFile,
    FailureWriteFile,
    FailureDestination,
    FailureDamaged,
    FailureUnfinished,
    FailureLog,
    FailureOtherFolder,
    FailureCount
};
// The text of `failure`, with `file` (null for none) inside it where the
// failure names one. Every text of the table and every file name of the
// payload table fit.
constexpr unsigned FailureMessageSize = 256;
void ComposeFailureMessage(Failure failure, const char *file, char (&message)[FailureMessageSize]);

// Questions and notices
extern const char TextAskAbort[];
extern const char TextProductRunning[];
extern const char TextNoteShortcut[];
extern const char TextNoteRecords[];
extern const char TextNoteUninstall[];
extern const char TextNoteRecordsAndUninstall[];
// "NOTE: The earlier <file> could not be put back. It is kept as <path>; ..."
extern const char TextNoteNotPutBack[];
extern const char TextNoteKeptAs[];
extern const char TextNoteNextRun[];
extern const char TextInvalidDestination[];
extern const char TextAskUninstallOld[];
extern const char TextAskSoundEffects[];
extern const char TextAskDirectX[];
extern const char TextAskStartInstalled[];
extern const char TextAskStartUpdated[];

// Main dialog
extern const char TextSentenceInstall[];
extern const char TextSentenceUpdate[];
extern const char TextSentenceNewer[];
extern const char TextButtonInstall[];
extern const char TextButtonUpdate[];
extern const char TextButtonCancel[];
extern const char TextBrowseTitle[];

// Progress window
extern const char TextProgressTitle[];    // "Installing Brightlark"
extern const char TextProgressWorking[];  // "Working ... " (ends in a blank)
extern const char TextCaptionSeparator[]; // "  ---  "
