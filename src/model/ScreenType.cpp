#include "ScreenType.h"

#include "base/Translation.h"
#include "base/UiSeam.h"

bool CheckProjectSize(int width, int height)
{
    if (width < kMinProjectSize || width > kMaxProjectSize) {
        ShowMessageText(TranslateFormat("209", RangeArgs(kMinProjectSize, kMaxProjectSize)), "70");
        return false;
    }
    if (height < kMinProjectSize || height > kMaxProjectSize) {
        ShowMessageText(TranslateFormat("210", RangeArgs(kMinProjectSize, kMaxProjectSize)), "70");
        return false;
    }
    return true;
}
