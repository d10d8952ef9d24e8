// Every text the set-up program shows or writes about itself, kept in one
// place so that each appears once.
#pragma once

// Names of the product, its version label and the message-box captions.
extern const char TextProductName[];      // "Brightlark"; also the product window's class
extern const char TextVersionLabel[];     // "VERSION 9"
extern const char TextSetupCaption[];     // "Install Brightlark"; also the window class
                                          // and the mutex that mark a running set-up
extern const char TextErrorCaption[];     // "Installation Error"

// Fatal errors
extern const char TextErrorMemory[];
extern const char TextErrorPlatform[];
extern const char TextErrorGeneral[];
extern const char TextErrorResource[];
extern const char TextErrorCreateFile[];
extern const char TextErrorWriteFile[];
extern const char TextErrorDestination[];
extern const char TextErrorUnfinished[];
extern const char TextErrorLog[];
extern const char TextErrorOtherFolder[];
// "ERROR: This set-up program is damaged: its copy of <file> is not whole. ..."
extern const char TextErrorDamaged[];
extern const char TextErrorDamagedEnd[];

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
