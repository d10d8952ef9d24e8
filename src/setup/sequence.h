// The setup flow: the steps WinMain walks through, in their order.
#pragma once
#include "install/install.h"
#include "ui/ui.h"

// Start-up: the process prepared, the command line read, another set-up
// looked for, the log begun, the earlier installation and the default
// destination found.
void StartUp();

// The destination the page opens with: /DIR's folder wherever a person
// could change it, else an earlier installation's folder, else "Brightlark"
// in Program Files.
void ChooseDefaultDestination();
bool ValidateDestination();
bool OfferOldVersionUninstall();
void OfferSoundEffects();
void OfferStartProduct();

// What the command line answers in place of a person (unattended.cpp).
//
// /DIR's folder as the destination, where it may be one: true when it was
// taken.
bool TakeDirOption();
// Shows a dialog of the sequence and gives its result; an unattended run
// shows none, and gives the answer the command line stands for.
INT_PTR RunDialog(unsigned templateId, DialogHandler handler);

// The install pass's progress, shown in the progress window where the run
// shows windows.
extern const PassProgress ProgressShown;
