// The script that shows the Windows toast, read back from the command line
// as Windows PowerShell reads it.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/toast_script.h"

namespace {

// The expected texts are written in UTF-8; utf16FromUtf8 has its own test.
std::u16string u16(const std::string& text) { return utf16FromUtf8(text); }

// -EncodedCommand's value back to the script: base64, then UTF-16LE.
std::u16string decoded(const std::string& base64) {
  const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned long bits = 0;
  int count = 0;
  for (const char c : base64) {
    if (c == '=') break;
    const std::size_t value = digits.find(c);
    EXPECT_NE(value, std::string::npos) << "not base64: " << c;
    bits = (bits << 6) | value;
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += char((bits >> count) & 0xFF);
    }
  }
  EXPECT_EQ(bytes.size() % 2, 0u);
  std::u16string script;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    script += char16_t(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  return script;
}

const std::string kFlags = "-NoProfile -NonInteractive -ExecutionPolicy Bypass -WindowStyle Hidden -EncodedCommand ";

std::u16string scriptOf(const std::string& arguments) {
  EXPECT_EQ(arguments.substr(0, kFlags.size()), kFlags);
  return decoded(arguments.substr(kFlags.size()));
}

}  // namespace

TEST(ToastScript, TheEncodedCommandIsTheScriptWithTheTextsEscapedForXmlAndPowerShell) {
  const std::string body =
      "He said \"stop\" & <left> 'now'\nZ\xC3\xBCrich \xE2\x80\x99quoted\xE2\x80\x99 \xF0\x9F\x98\x80";
  const std::u16string script =
      scriptOf(toastArguments(toastScript("example.talvorstart.talvorstart", "Talvor Start", body)));
  const std::string expected = R"($ErrorActionPreference = 'Stop'
try {
  $null = [Windows.UI.Notifications.ToastNotificationManager, Windows.UI.Notifications, ContentType = WindowsRuntime]
  $null = [Windows.UI.Notifications.ToastNotification, Windows.UI.Notifications, ContentType = WindowsRuntime]
  $null = [Windows.Data.Xml.Dom.XmlDocument, Windows.Data.Xml.Dom.XmlDocument, ContentType = WindowsRuntime]
} catch { exit 2 }
try {
  $notifier = [Windows.UI.Notifications.ToastNotificationManager]::CreateToastNotifier('example.talvorstart.talvorstart')
  $setting = 'Enabled'
  try { $setting = [string]$notifier.Setting } catch { }
  if ($setting -in 'DisabledForApplication', 'DisabledForUser', 'DisabledByGroupPolicy') { exit 4 }
  $xml = [Windows.Data.Xml.Dom.XmlDocument]::new()
  $xml.LoadXml('<toast><visual><binding template="ToastGeneric"><text>Talvor Start</text><text>He said &quot;stop&quot; &amp; &lt;left&gt; &apos;now&apos;
Z)"
                               "\xC3\xBC"
                               "rich \xE2\x80\x99\xE2\x80\x99quoted\xE2\x80\x99\xE2\x80\x99 \xF0\x9F\x98\x80"
                               R"(</text></binding></visual></toast>')
  $notifier.Show([Windows.UI.Notifications.ToastNotification]::new($xml))
} catch { exit 3 }
exit 0
)";
  EXPECT_EQ(script, u16(expected));
}

TEST(ToastScript, AQuoteInTheTitleCannotEndThePowerShellString) {
  const std::u16string script = toastScript("a.b", "x' ; Remove-Item C:\\ ; '", "y");
  EXPECT_NE(script.find(u"<text>x&apos; ; Remove-Item C:\\ ; &apos;</text>"), std::u16string::npos);
  EXPECT_EQ(powerShellQuoted(u"it's"), u"'it''s'");
  // PowerShell ends a single-quoted string at these as well.
  EXPECT_EQ(powerShellQuoted(u"\u2018a\u2019\u201A\u201B"), u"'\u2018\u2018a\u2019\u2019\u201A\u201A\u201B\u201B'");
}

TEST(ToastScript, XmlEscapingCoversTheFiveCharactersAndDropsWhatXmlForbids) {
  EXPECT_EQ(xmlEscaped(u"&<>\"'"), u"&amp;&lt;&gt;&quot;&apos;");
  EXPECT_EQ(xmlEscaped(u"a\tb\nc\rd"), u"a\tb\nc\rd");
  EXPECT_EQ(xmlEscaped(std::u16string(u"a\u0001b\u001Bc") + char16_t(0) + u"d\uFFFE"), u"a\uFFFDb\uFFFDc\uFFFDd\uFFFD");
  // A lone half of a surrogate pair is no character either.
  EXPECT_EQ(xmlEscaped(std::u16string(1, char16_t(0xD800)) + u"x"), u"\uFFFDx");
  EXPECT_EQ(xmlEscaped(u"\U0001F600"), u"\U0001F600");
}

TEST(ToastScript, Utf8BecomesUtf16AndBrokenBytesBecomeReplacementCharacters) {
  EXPECT_EQ(utf16FromUtf8("Z\xC3\xBCrich \xE2\x82\xAC \xF0\x9F\x98\x80"), u"Z\u00FCrich \u20AC \U0001F600");
  EXPECT_EQ(utf16FromUtf8("a\xC3(b"), u"a\uFFFD(b");                          // a sequence cut short
  EXPECT_EQ(utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong
  EXPECT_EQ(utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // a surrogate
  EXPECT_EQ(utf16FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(utf16FromUtf8("\xE2\x82"), u"\uFFFD\uFFFD");                      // the end comes first
}

TEST(ToastScript, ALongBodyIsCutWithAnEllipsisAndTheCommandLineStaysWithinWindowsLimit) {
  // Quotes grow most when escaped.
  const std::string arguments =
      toastArguments(toastScript("example.talvorstart.talvorstart", std::string(5000, '\''), std::string(50000, '\'')));
  EXPECT_LT(arguments.size() + 80, 32767u);  // with powershell.exe's quoted path
  const std::u16string script = scriptOf(arguments);
  std::u16string shownBody;
  for (std::size_t i = 0; i < kToastBodyLimit - 1; ++i) shownBody += u"&apos;";
  EXPECT_NE(script.find(u"<text>" + shownBody + u"\u2026</text>"), std::u16string::npos);
}

TEST(ToastScript, TheCutNeverSplitsACharacterOutsideTheBasicPlane) {
  const std::string body = std::string(kToastBodyLimit - 2, 'a') + "\xF0\x9F\x98\x80" + "bbb";
  const std::u16string script = toastScript("a.b", "t", body);
  EXPECT_NE(script.find(u"<text>" + std::u16string(kToastBodyLimit - 2, u'a') + u"\u2026</text>"),
            std::u16string::npos);
  const std::u16string whole = toastScript("a.b", "t", std::string(kToastBodyLimit - 2, 'a') + "\xF0\x9F\x98\x80");
  EXPECT_NE(whole.find(u"a\U0001F600</text>"), std::u16string::npos);
}

TEST(ToastScript, Base64OfUtf16LittleEndian) {
  EXPECT_EQ(encodedCommand(u""), "");
  EXPECT_EQ(encodedCommand(u"A"), "QQA=");
  EXPECT_EQ(encodedCommand(u"ab"), "YQBiAA==");
  EXPECT_EQ(encodedCommand(u"abc"), "YQBiAGMA");
  EXPECT_EQ(encodedCommand(u"\u00FC\U0001F600"), "/AA92ADe");
  EXPECT_EQ(decoded(encodedCommand(u"\u00FC\U0001F600 x")), u"\u00FC\U0001F600 x");
}
