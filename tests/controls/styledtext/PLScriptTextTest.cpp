#include <gtest/gtest.h>

#include <cstring>

#include "ImportPatch.h"
#include "PLScriptText.h"
#include "PixelCanvas.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
// Neither white nor any colour drawn here: a cell filled behind the glyphs would show on it.
const COLORREF kPaper = RGB(150, 200, 150);

CPLScriptText Parsed(const char* script, COLORREF defaultColour = kBlue) {
    CPLScriptText text;
    text.SetDefaultTextColor(defaultColour);
    text.SetScript(nullptr, script);
    return text;
}

// Bytes that strchr reads for Tovrin.dll, which finds the tags of styled text with it.
size_t g_strchrBytes = 0;
char* CountingStrchr(const char* text, int ch) {
    const char* found = strchr(text, ch);
    g_strchrBytes += (found ? static_cast<size_t>(found - text) : strlen(text)) + 1;
    return const_cast<char*>(found);
}

CRect UnitBox(const CPLScriptText& text, int index, int left = 0, int top = 0) {
    for (int i = 0; i < index; ++i)
        left += text.GetUnit(i).extent.cx;
    return CRect(left, top, left + text.GetUnit(index).extent.cx, top + text.GetSize().cy);
}

}  // namespace

TEST(StyledTextParsing, PlainTextIsOneRegularUnitInTheDefaultColour) {
    CPLScriptText text = Parsed("abc");

    ASSERT_EQ(1, text.GetUnitCount());
    const PL_SCRIPT_UNIT& unit = text.GetUnit(0);
    EXPECT_STREQ("abc", unit.text);
    EXPECT_EQ(kBlue, unit.colour);
    EXPECT_EQ(12, unit.size);
    EXPECT_EQ(0, unit.bold);
    EXPECT_EQ(0, unit.italic);
    EXPECT_EQ(0, unit.underline);
    EXPECT_EQ(PL_SCRIPT_UNIT::kTop, unit.valign);
}

TEST(StyledTextParsing, OnlyCapitalLettersAreTags) {
    CPLScriptText text = Parsed("<b>x</b>");

    ASSERT_EQ(1, text.GetUnitCount());
    EXPECT_STREQ("x", text.GetUnit(0).text);
    EXPECT_EQ(0, text.GetUnit(0).bold);
}

TEST(StyledTextParsing, EachTagSetsItsAttributeAndItsClosingTagResetsIt) {
    CPLScriptText text = Parsed("<B>b</B><I>i</I><U>u</U><S=20>s</S><C=00FF00>c</C>n");

    ASSERT_EQ(6, text.GetUnitCount());
    EXPECT_EQ(1, text.GetUnit(0).bold);
    EXPECT_EQ(1, text.GetUnit(1).italic);
    EXPECT_EQ(1, text.GetUnit(2).underline);
    EXPECT_EQ(20, text.GetUnit(3).size);
    EXPECT_EQ(RGB(0, 255, 0), text.GetUnit(4).colour);
    const PL_SCRIPT_UNIT& last = text.GetUnit(5);
    EXPECT_EQ(0, last.bold + last.italic + last.underline);
    EXPECT_EQ(12, last.size);
    EXPECT_EQ(kBlue, last.colour);
}

TEST(StyledTextParsing, ColourIsReadAsRedGreenBlue) {
    CPLScriptText text = Parsed("<C=FF0000>a</C>b<C=0000FF>c<C=123456>d");

    ASSERT_EQ(4, text.GetUnitCount());
    EXPECT_EQ(kRed, text.GetUnit(0).colour);
    EXPECT_EQ(RGB(1, 2, 3), Parsed("<C=FF0000>a</C>b", RGB(1, 2, 3)).GetUnit(1).colour);
    EXPECT_EQ(kBlue, text.GetUnit(2).colour);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), text.GetUnit(3).colour);
}

TEST(StyledTextParsing, ClosingTagsResetWhateverWasOpenedBefore) {
    CPLScriptText text = Parsed("<C=FF0000><S=10>new<S=12></C>old");

    ASSERT_EQ(2, text.GetUnitCount());
    EXPECT_EQ(kRed, text.GetUnit(0).colour);
    EXPECT_EQ(10, text.GetUnit(0).size);
    EXPECT_EQ(kBlue, text.GetUnit(1).colour);
    EXPECT_EQ(12, text.GetUnit(1).size);
}

TEST(StyledTextParsing, AlignmentTagChoosesBottomMiddleOrTop) {
    CPLScriptText text = Parsed("<A=B>b<A=M>m<A=X>x<A=M>y</A>t");

    ASSERT_EQ(5, text.GetUnitCount());
    EXPECT_EQ(PL_SCRIPT_UNIT::kBottom, text.GetUnit(0).valign);
    EXPECT_EQ(PL_SCRIPT_UNIT::kMiddle, text.GetUnit(1).valign);
    EXPECT_EQ(PL_SCRIPT_UNIT::kTop, text.GetUnit(2).valign);
    EXPECT_EQ(PL_SCRIPT_UNIT::kTop, text.GetUnit(4).valign);
}

TEST(StyledTextParsing, EmptyValuesReadAsZeroAndUnknownTagsVanish) {
    CPLScriptText text = Parsed("<C=>a<S=>b<X=1>c<S>d");

    ASSERT_EQ(4, text.GetUnitCount());
    EXPECT_EQ(RGB(0, 0, 0), text.GetUnit(0).colour);
    EXPECT_EQ(0, text.GetUnit(1).size);
    EXPECT_STREQ("c", text.GetUnit(2).text);
    EXPECT_EQ(0, text.GetUnit(3).size);
}

TEST(StyledTextParsing, AmpersandIsDecodedBeforeLessThan) {
    CPLScriptText text = Parsed("a&amp;b&lt;c");

    ASSERT_EQ(1, text.GetUnitCount());
    EXPECT_STREQ("a&b<c", text.GetUnit(0).text);
    EXPECT_STREQ("a&amp;b&lt;c", text.GetText());
    EXPECT_STREQ("<", Parsed("&amp;lt;").GetUnit(0).text);
}

TEST(StyledTextParsing, LessThanWithoutClosingMarkStartsPlainTextToTheEnd) {
    CPLScriptText text = Parsed("a<B>b<C=FF0000 c");

    ASSERT_EQ(2, text.GetUnitCount());
    EXPECT_STREQ("a", text.GetUnit(0).text);
    EXPECT_STREQ("b<C=FF0000 c", text.GetUnit(1).text);
    EXPECT_EQ(1, text.GetUnit(1).bold);
    EXPECT_EQ(kBlue, text.GetUnit(1).colour);
    EXPECT_STREQ("ab<C=FF0000 c", text.GetText());
}

TEST(StyledTextParsing, SizesStayBetweenZeroAndTwoHundredPixels) {
    const struct {
        CString script;
        int size;
    } cases[] = {
        {"<S=30>a", 30},
        {"<S=200>a", 200},
        {"<S=201>a", 200},
        {"<S=-5>a", 0},
        {"<S=2147483647>a", 200},
        {"<S=-2147483648>a", 0},
        {"<S=" + CString('9', 100000) + ">a", 200},
        {"<S=-" + CString('9', 100000) + ">a", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.Left(20));
        CPLScriptText text = Parsed(c.script);
        ASSERT_EQ(1, text.GetUnitCount());
        EXPECT_EQ(c.size, text.GetUnit(0).size);
        EXPECT_LT(text.GetUnit(0).extent.cy, 300) << "measured in a font of that size";
    }
}

TEST(StyledTextParsing, ALongRunOfLessThanSignsIsReadInOnePass) {
    const CString run('<', 100000);
    const struct {
        CString script;
        CString text;
        BYTE bold;
    } cases[] = {
        {run, run, 0},  // no '>' after them: plain text
        {run + ">x", "x", 0},
        {run + "B>x", "x", 1},  // only the last '<' names a known tag
    };
    ImportPatch counting(GetModuleHandleA("Tovrin.dll"), "msvcrt.dll", "strchr", reinterpret_cast<void*>(&CountingStrchr));
    ASSERT_TRUE(counting.IsActive());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.Right(4));
        g_strchrBytes = 0;
        CPLScriptText text = Parsed(c.script);
        EXPECT_LT(g_strchrBytes, 4u * c.script.GetLength()) << "bytes read to find the tags";
        ASSERT_EQ(1, text.GetUnitCount());
        EXPECT_TRUE(text.GetUnit(0).text == c.text);
        EXPECT_EQ(c.bold, text.GetUnit(0).bold);
    }
}

TEST(StyledTextParsing, TagCutShortAtTheEndReadsNoFurther) {
    CPLScriptText text = Parsed("x<S>");

    ASSERT_EQ(1, text.GetUnitCount());
    EXPECT_STREQ("x", text.GetUnit(0).text);
    EXPECT_STREQ("x<", Parsed("x<").GetUnit(0).text);
    EXPECT_EQ(0, Parsed("<>").GetUnitCount());
}

TEST(StyledTextParsing, KoreanCaptionKeepsItsCharactersWhole) {
    const char* caption = "유효하지 않은 <C=0000FF><B>폰트</B></C> 정보<C=FF0000><S=10>[관]</C>";
    CPLScriptText text = Parsed(caption, RGB(40, 40, 40));

    ASSERT_EQ(4, text.GetUnitCount());
    EXPECT_STREQ("유효하지 않은 ", text.GetUnit(0).text);
    EXPECT_STREQ("폰트", text.GetUnit(1).text);
    EXPECT_EQ(1, text.GetUnit(1).bold);
    EXPECT_STREQ(" 정보", text.GetUnit(2).text);
    EXPECT_STREQ("[관]", text.GetUnit(3).text);
    EXPECT_EQ(10, text.GetUnit(3).size);
    EXPECT_STREQ("유효하지 않은 폰트 정보[관]", text.GetText());
    EXPECT_STREQ(caption, text.GetScript());
}

// The byte search for '<' and '>' relies on this property of the code page: no lead byte
// pairs with a byte below 0x41.
TEST(StyledTextParsing, NoKoreanCharacterEndsInAnAngleBracket) {
    ASSERT_EQ(949u, GetACP());
    int leadBytes = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        if (!IsDBCSLeadByteEx(949, static_cast<BYTE>(lead)))
            continue;
        ++leadBytes;
        for (int trail = 0x01; trail < 0x41; ++trail) {
            const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[4] = {};
            EXPECT_EQ(0, MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, pair, 2, wide, 4)) << lead << " " << trail;
        }
        int characters = 0;
        for (int trail = 0x41; trail <= 0xFE; ++trail) {
            const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[4] = {};
            characters += MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, pair, 2, wide, 4) == 1;
        }
        EXPECT_GT(characters, 0) << lead;
    }
    EXPECT_EQ(0xFE - 0x81 + 1, leadBytes);
}

TEST(StyledTextParsing, DefaultColourTakesEffectAtTheNextScript) {
    CPLScriptText text;
    text.SetScript(nullptr, "a");
    text.SetDefaultTextColor(kRed);
    EXPECT_EQ(RGB(0, 0, 0), text.GetUnit(0).colour);

    text.SetScript(nullptr, "a");
    EXPECT_EQ(kRed, text.GetUnit(0).colour);
}

TEST(StyledTextMeasuring, SizeIsTheSumOfWidthsAndTheTallestUnit) {
    CPLScriptText text = Parsed("<S=30>W</S>W");

    ASSERT_EQ(2, text.GetUnitCount());
    const CSize big = text.GetUnit(0).extent;
    const CSize small = text.GetUnit(1).extent;
    EXPECT_GT(big.cy, small.cy);
    EXPECT_GT(big.cx, small.cx);
    EXPECT_GE(big.cy, 30);
    EXPECT_EQ(CSize(big.cx + small.cx, big.cy), text.GetSize());
}

TEST(StyledTextMeasuring, UsesTheFontOfTheWindow) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window != nullptr);
    LOGFONTA wide = {};
    wide.lfHeight = 12;
    wide.lfWidth = 40;  // kept by the styled text: only height, weight, style and face change
    HFONT font = CreateFontIndirectA(&wide);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    CPLScriptText onWindow;
    onWindow.SetScript(window, "WWWW");
    CPLScriptText onScreen = Parsed("WWWW");

    EXPECT_GT(onWindow.GetSize().cx, onScreen.GetSize().cx + 40);
    DestroyWindow(window);
    DeleteObject(font);
}

TEST(StyledTextDrawing, ACaptionDrawnAtItsOwnSizeIsNeverCutShort) {
    // A control with the dialogs' font, 9 points of "굴림" in the Korean character set.
    LOGFONTA face = {};
    face.lfHeight = -12;
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = HANGUL_CHARSET;
    lstrcpyA(face.lfFaceName, "굴림");
    HFONT font = CreateFontIndirectA(&face);
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window != nullptr);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    const char caption[] = "윈도우 휴지통 비우기";
    CPLScriptText text;
    text.SetDefaultTextColor(RGB(0, 0, 0));
    text.SetScript(window, caption);
    const CSize size = text.GetSize();
    PixelCanvas styled(size.cx + 20, size.cy, kPaper);
    PixelCanvas plain(size.cx + 20, size.cy, kPaper);
    ASSERT_TRUE(styled.IsReady() && plain.IsReady());

    text.Draw(styled.Dc(), CRect(0, 0, size.cx, size.cy), 0);

    HGDIOBJ previous = SelectObject(plain.Dc(), font);
    SetBkMode(plain.Dc(), TRANSPARENT);
    CRect whole(0, 0, size.cx + 20, size.cy);
    DrawTextA(plain.Dc(), caption, -1, &whole, DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(plain.Dc(), previous);
    DestroyWindow(window);
    DeleteObject(font);

    int differing = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx + 20; ++x)
            differing += styled.At(x, y) != plain.At(x, y);
    EXPECT_EQ(0, differing) << "the whole caption, no ellipsis";
}

TEST(StyledTextDrawing, EachUnitIsDrawnInItsOwnColour) {
    PixelCanvas canvas(200, 60, kPaper);
    ASSERT_TRUE(canvas.IsReady());
    CPLScriptText text = Parsed("<S=40><B><C=FF0000>W</C>W");

    text.Draw(canvas.Dc(), CRect(5, 5, 200, 60), 0);

    CRect redBox = UnitBox(text, 0, 5, 5);
    CRect blueBox = UnitBox(text, 1, 5, 5);
    EXPECT_GT(canvas.Count(redBox, kRed), 40);
    EXPECT_EQ(0, canvas.Count(redBox, kBlue));
    EXPECT_GT(canvas.Count(blueBox, kBlue), 40);
    EXPECT_EQ(0, canvas.Count(blueBox, kRed));
    EXPECT_GT(canvas.Count(redBox, kPaper, 0), 200) << "the paper shows between the strokes";
    EXPECT_GT(canvas.Count(blueBox, kPaper, 0), 200);
}

TEST(StyledTextDrawing, StateBitZeroDrawsEverythingOrange) {
    PixelCanvas canvas(200, 60, kPaper);
    CPLScriptText text = Parsed("<S=40><B><C=FF0000>W</C>W");

    text.Draw(canvas.Dc(), CRect(0, 0, 200, 60), 0x1 | 0x6);

    EXPECT_GT(canvas.Count(UnitBox(text, 0), RGB(255, 128, 0), 24), 40);
    EXPECT_GT(canvas.Count(UnitBox(text, 1), RGB(255, 128, 0), 24), 40);
    EXPECT_EQ(0, canvas.Count(kRed, 24));
    EXPECT_EQ(0, canvas.Count(kBlue, 24));
    EXPECT_GT(canvas.Count(UnitBox(text, 0), kPaper, 0), 200);
}

TEST(StyledTextDrawing, StateBitsOneAndTwoDrawEverythingWhite) {
    const COLORREF black = RGB(0, 0, 0);
    PixelCanvas canvas(200, 60, black);
    CPLScriptText text = Parsed("<S=40><B><C=FF0000>W</C>W");

    text.Draw(canvas.Dc(), CRect(0, 0, 200, 60), 0x6);
    EXPECT_GT(canvas.Count(UnitBox(text, 0), kWhite, 24), 40);
    EXPECT_GT(canvas.Count(UnitBox(text, 1), kWhite, 24), 40);
    EXPECT_GT(canvas.Count(UnitBox(text, 0), black, 0), 200) << "black paper between the strokes";
    EXPECT_EQ(0, canvas.Count(kRed, 24));

    PixelCanvas onlyOneBit(200, 60, black);
    text.Draw(onlyOneBit.Dc(), CRect(0, 0, 200, 60), 0x2);
    EXPECT_EQ(0, onlyOneBit.Count(kWhite, 24));
    EXPECT_GT(onlyOneBit.Count(kRed, 24), 40);
}

TEST(StyledTextDrawing, UnderlineRunsAlongTheBottomOfTheUnitBox) {
    PixelCanvas canvas(200, 60, kPaper);
    CPLScriptText text = Parsed("<S=30>a<U>i</U>");

    text.Draw(canvas.Dc(), CRect(0, 0, 200, 60), 0);

    CRect underlined = UnitBox(text, 1);
    CRect bottomRow(underlined.left, underlined.bottom - 1, underlined.right, underlined.bottom);
    EXPECT_EQ(underlined.Width(), canvas.Count(bottomRow, kBlue, 0));
    CRect plain = UnitBox(text, 0);
    EXPECT_EQ(plain.Width(), canvas.Count(CRect(plain.left, plain.bottom - 1, plain.right, plain.bottom), kPaper, 0));
}

TEST(StyledTextDrawing, NothingIsDrawnRightOfTheRectangle) {
    PixelCanvas canvas(200, 60, kPaper);
    CPLScriptText text = Parsed("<S=40>WWWWWW");
    const int right = text.GetSize().cx / 2;

    text.Draw(canvas.Dc(), CRect(0, 0, right, 60), 0);

    EXPECT_GT(canvas.Count(CRect(0, 0, right, 60), kBlue), 40);
    EXPECT_EQ((canvas.Width() - right) * 60, canvas.Count(CRect(right, 0, canvas.Width(), 60), kPaper, 0));
}

TEST(StyledTextDrawing, RestoresTheTextColourBackgroundModeAndFontOfTheDC) {
    PixelCanvas canvas(100, 40, kPaper);
    SetTextColor(canvas.Dc(), RGB(9, 8, 7));
    SetBkMode(canvas.Dc(), OPAQUE);
    HGDIOBJ font = GetCurrentObject(canvas.Dc(), OBJ_FONT);
    CPLScriptText text = Parsed("<C=FF0000><B>x</B></C>y");

    text.Draw(canvas.Dc(), CRect(0, 0, 100, 40), 0);

    EXPECT_EQ(RGB(9, 8, 7), GetTextColor(canvas.Dc()));
    EXPECT_EQ(OPAQUE, GetBkMode(canvas.Dc()));
    EXPECT_EQ(font, GetCurrentObject(canvas.Dc(), OBJ_FONT));
}
