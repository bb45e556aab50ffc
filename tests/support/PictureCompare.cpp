#include "PictureCompare.h"

#include <algorithm>
#include <cstdlib>

namespace {

int LargestStep(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

} // namespace

bool PixelsClose(QRgb a, QRgb b, const PictureTolerance& tolerance)
{
    return LargestStep(a, b) <= tolerance.channelSteps;
}

::testing::AssertionResult PicturesMatch(const QImage& actual, const QImage& expected,
                                         const PictureTolerance& tolerance)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << " instead of "
                                             << expected.width() << "x" << expected.height();
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
    qint64 oneStep = 0;
    qint64 more = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (rowA[x] == rowB[x])
                continue;
            const int step = LargestStep(rowA[x], rowB[x]);
            if (step > tolerance.channelSteps)
                return ::testing::AssertionFailure()
                    << "pixel (" << x << ", " << y << ") is " << std::hex << rowA[x] << " instead of " << rowB[x]
                    << std::dec << ": " << step << " steps apart, more than " << tolerance.channelSteps;
            ++(step == 1 ? oneStep : more);
        }
    }
    const qint64 pixels = static_cast<qint64>(a.width()) * a.height();
    const qint64 allowed = std::max<qint64>(tolerance.minDifferingPixels,
                                            static_cast<qint64>(static_cast<double>(pixels) * tolerance.differingShare));
    if (more > allowed)
        return ::testing::AssertionFailure() << more << " of " << pixels
                                             << " pixels differ by more than one step, more than " << allowed;
    const auto allowedOneStep = static_cast<qint64>(static_cast<double>(pixels) * tolerance.oneStepShare);
    if (oneStep > allowedOneStep)
        return ::testing::AssertionFailure() << oneStep << " of " << pixels << " pixels differ by one step, more than "
                                             << allowedOneStep;
    return ::testing::AssertionSuccess();
}
