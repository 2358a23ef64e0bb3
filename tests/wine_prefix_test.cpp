// The Wine prefix that scripts/test.sh makes (as scripts/run.sh makes its demo prefix) has the
// fonts Wine draws windows with: Marlett, whose glyphs are the caption buttons, and Tahoma, the
// face of captions and dialogs. Without them GDI falls back to another face, and a title bar
// shows the letter "r" where its close box should be.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace {

// The face that GDI really selects when a program asks for face by name.
std::string FaceSelectedFor(const char* face) {
  HFONT font =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  char selected[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof selected, selected);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(font);
  return selected;
}

class WinesOwnFont : public testing::TestWithParam<const char*> {};

TEST_P(WinesOwnFont, IsTheFaceSelectedForItsName) {
  EXPECT_EQ(FaceSelectedFor(GetParam()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(WindowFrames, WinesOwnFont, testing::Values("Marlett", "Tahoma"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
