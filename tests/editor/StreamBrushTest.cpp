// The stream brush's address lists, as the editor state hands them out.

#include "editor/EditorState.h"

#include <gtest/gtest.h>

namespace {
QString ThirdGeneration(const char* host)
{
    const QString h = QString::fromLatin1(host);
    return QStringLiteral("rtsp://%1:2554/352;rtsp://%1:554/1080;rtsp://%1:551/2160").arg(h);
}
}

TEST(StreamBrush, ThirdGenerationGivesThreeAddressesOnOneHostAndCountsTheHostOn)
{
    EditorState state;
    state.SetStreamBrush(0xC0A8010A, 3); // 192.168.1.10
    EXPECT_EQ(state.NextBrushStreamUrl(), ThirdGeneration("192.168.1.10"));
    EXPECT_EQ(state.NextBrushStreamUrl(), ThirdGeneration("192.168.1.11"));
    EXPECT_EQ(state.GetStreamBrush(), 0xC0A8010Cu);
    EXPECT_EQ(state.GetStreamCount(), 3);
}

TEST(StreamBrush, SecondGenerationIsTheDefaultAndGivesTwoAddresses)
{
    EditorState state;
    EXPECT_EQ(state.GetStreamBrush(), 0xC0A80164u);
    EXPECT_EQ(state.GetStreamCount(), 2);
    EXPECT_EQ(state.NextBrushStreamUrl(),
              QStringLiteral("rtsp://192.168.1.100:2554/352;rtsp://192.168.1.100:554/1080"));
    state.SetStreamBrush(0x0A000005, 7); // anything but 3 is the second generation
    EXPECT_EQ(state.GetStreamCount(), 2);
    EXPECT_EQ(state.NextBrushStreamUrl(), QStringLiteral("rtsp://10.0.0.5:2554/352;rtsp://10.0.0.5:554/1080"));
}

TEST(StreamBrush, TheLastOctetWrapsFrom255To0WithoutCarry)
{
    EditorState state;
    state.SetStreamBrush(0xC0A801FE, 3); // 192.168.1.254
    EXPECT_EQ(state.NextBrushStreamUrl(), ThirdGeneration("192.168.1.254"));
    EXPECT_EQ(state.NextBrushStreamUrl(), ThirdGeneration("192.168.1.255"));
    EXPECT_EQ(state.NextBrushStreamUrl(), ThirdGeneration("192.168.1.0")) << "not 192.168.2.0";
    EXPECT_EQ(state.GetStreamBrush(), 0xC0A80101u);
    // The address brush keeps its own counter.
    EXPECT_EQ(state.NextBrushAddress(), QStringLiteral("192.168.1.100"));
}
