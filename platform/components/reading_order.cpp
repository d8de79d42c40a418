#include "platform/components/reading_order.h"

namespace pellamo {

namespace {

bool right_to_left = false;

}

bool LocaleReadsRightToLeft() { return right_to_left; }

void SetLocaleReadsRightToLeft(bool on) { right_to_left = on; }

}
