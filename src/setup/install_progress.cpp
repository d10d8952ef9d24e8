#include "run/run.h"
#include "run/setup_state.h"
#include "setup/sequence.h"

// The progress window's Abort sets it, at a pump.
static std::int32_t abortFlag;

// A very silent run shows no window at all, and nobody can abort it.
static bool Shown()
{
    return setupState.options.mode != RunVerySilent;
}

static void Open(std::int32_t rows)
{
    if (!Shown())
        return;
    ProgressOpen(nullptr, 0, rows, &abortFlag);
    ProgressUpdate(TextProgressTitle, TextProgressWorking, 0);
}

static void Show(const char *text, std::int32_t position)
{
    if (Shown())
        ProgressUpdate(nullptr, text, position);
}

static bool Aborted()
{
    if (Shown())
        ProgressPump();
    return abortFlag != 0;
}

static void Close()
{
    if (Shown())
        ProgressClose();
}

const PassProgress ProgressShown = {Open, Show, Aborted, Close};
