#include "core/build_settings.h"
#include "core/user_texts.h"

const char TextPublisher[] = BRIGHTLARK_PUBLISHER;
