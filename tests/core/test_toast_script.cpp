// The script that shows the Windows toast and its -EncodedCommand form.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/toast_script.h"

// The texts escaped for XML and PowerShell; the script ends with a status that tells why no toast showed.
TEST(ToastScript, TheScriptWithTheTextsEscapedForXmlAndPowerShell) {
  const std::u16string script =
      toastScript("example.talvorstart.talvorstart", "Talvor Start",
                  "He said \"stop\" & <left> 'now'\nZ\xC3\xBCrich \xE2\x80\x99q\xE2\x80\x99 \xF0\x9F\x98\x80");
  for (const char* fragment :
       {"[Windows.UI.Notifications.ToastNotificationManager]::CreateToastNotifier('example.talvorstart.talvorstart')",
        "$xml.LoadXml('<toast><visual><binding template=\"ToastGeneric\"><text>Talvor Start</text><text>He said "
        "&quot;stop&quot; &amp; &lt;left&gt; &apos;now&apos;\nZ\xC3\xBCrich "
        "\xE2\x80\x99\xE2\x80\x99q\xE2\x80\x99\xE2\x80\x99 "
        "\xF0\x9F\x98\x80</text></binding></visual></toast>')",
        "} catch { exit 2 }", "DisabledByGroupPolicy') { exit 4 }", "} catch { exit 3 }\nexit 0\n"})
    EXPECT_NE(script.find(utf16FromUtf8(fragment)), std::u16string::npos) << fragment;
  EXPECT_EQ(toastArguments(script),
            "-NoProfile -NonInteractive -ExecutionPolicy Bypass -WindowStyle Hidden -EncodedCommand " +
                encodedCommand(script));
}

// A quote in the title cannot end the PowerShell string; XML takes five characters escaped and forbids some.
TEST(ToastScript, QuotesAndCharactersXmlForbids) {
  const std::u16string script = toastScript("a.b", "x' ; Remove-Item C:\\ ; '", "y");
  EXPECT_NE(script.find(u"<text>x&apos; ; Remove-Item C:\\ ; &apos;</text>"), std::u16string::npos);
  EXPECT_EQ(powerShellQuoted(u"it's"), u"'it''s'");
  // PowerShell ends a single-quoted string at these as well.
  EXPECT_EQ(powerShellQuoted(u"\u2018a\u2019\u201A\u201B"), u"'\u2018\u2018a\u2019\u2019\u201A\u201A\u201B\u201B'");
  EXPECT_EQ(xmlEscaped(u"&<>\"'"), u"&amp;&lt;&gt;&quot;&apos;");
  EXPECT_EQ(xmlEscaped(u"a\tb\nc\rd"), u"a\tb\nc\rd");
  EXPECT_EQ(xmlEscaped(std::u16string(u"a\u0001b\u001Bc") + char16_t(0) + u"d\uFFFE"), u"a\uFFFDb\uFFFDc\uFFFDd\uFFFD");
  EXPECT_EQ(xmlEscaped(std::u16string(1, char16_t(0xD800)) + u"x"), u"\uFFFDx");  // a lone surrogate half
}

TEST(ToastScript, Utf8BecomesUtf16WithReplacementCharactersForBrokenBytesAndThenBase64) {
  EXPECT_EQ(utf16FromUtf8("a\xC3(b"), u"a\uFFFD(b");                          // a sequence cut short
  EXPECT_EQ(utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong
  EXPECT_EQ(utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // a surrogate
  EXPECT_EQ(utf16FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(utf16FromUtf8("\xE2\x82"), u"\uFFFD\uFFFD");                      // the end comes first
  // The script goes to -EncodedCommand as base64 of UTF-16 little-endian.
  const std::pair<std::u16string, const char*> base64[] = {
      {u"", ""}, {u"A", "QQA="}, {u"ab", "YQBiAA=="}, {u"abc", "YQBiAGMA"}, {u"\u00FC\U0001F600", "/AA92ADe"}};
  for (const auto& [text, encoded] : base64) EXPECT_EQ(encodedCommand(text), encoded);
}

// Quotes grow most when escaped; the cut never splits a character.
TEST(ToastScript, ALongBodyIsCutWithAnEllipsisWithinWindowsCommandLineLimit) {
  const std::u16string script =
      toastScript("example.talvorstart.talvorstart", std::string(5000, '\''), std::string(50000, '\''));
  EXPECT_LT(toastArguments(script).size() + 80, 32767u);  // with powershell.exe's quoted path
  std::u16string shownBody;
  for (std::size_t i = 0; i < kToastBodyLimit - 1; ++i) shownBody += u"&apos;";
  EXPECT_NE(script.find(u"<text>" + shownBody + u"\u2026</text>"), std::u16string::npos);
  const std::string as = std::string(kToastBodyLimit - 2, 'a');
  EXPECT_NE(toastScript("a.b", "t", as + "\xF0\x9F\x98\x80" + "bbb")
                .find(u"<text>" + std::u16string(kToastBodyLimit - 2, u'a') + u"\u2026</text>"),
            std::u16string::npos);
  EXPECT_NE(toastScript("a.b", "t", as + "\xF0\x9F\x98\x80").find(u"a\U0001F600</text>"), std::u16string::npos);
}
