#include "platform/win32/toast_script.h"

#include "platform/utf8_text.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendCodePoint(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += char16_t(c);
  } else {
    c -= 0x10000;
    out += char16_t(0xD800 + (c >> 10));
    out += char16_t(0xDC00 + (c & 0x3FF));
  }
}

bool allowedInXml(char16_t c) { return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == '\t' || c == '\n' || c == '\r'; }

bool powerShellSingleQuote(char16_t c) { return c == '\'' || (c >= 0x2018 && c <= 0x201B); }

// The first units of the text, not splitting a surrogate pair, with an
// ellipsis when something was left off.
std::u16string shortened(std::u16string text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t keep = limit - 1;
  if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
  text.resize(keep);
  text += char16_t(0x2026);
  return text;
}

std::u16string ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

std::u16string utf16FromUtf8(const std::string& utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (char32_t c : codePoints(utf8, kReplacement)) appendCodePoint(out, c);
  return out;
}

std::u16string xmlEscaped(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    switch (c) {
      case '&':
        out += u"&amp;";
        break;
      case '<':
        out += u"&lt;";
        break;
      case '>':
        out += u"&gt;";
        break;
      case '"':
        out += u"&quot;";
        break;
      case '\'':
        out += u"&apos;";
        break;
      default:
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
          out += c;
          out += text[++i];
        } else if ((c >= 0xD800 && c <= 0xDFFF) || !allowedInXml(c)) {
          out += kReplacement;
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::u16string powerShellQuoted(const std::u16string& text) {
  std::u16string out = u"'";
  for (const char16_t c : text) {
    if (powerShellSingleQuote(c)) out += c;
    out += c;
  }
  return out + u"'";
}

std::u16string toastScript(const std::string& appId, const std::string& title, const std::string& body) {
  const std::u16string xml = u"<toast><visual><binding template=\"ToastGeneric\"><text>" +
                             xmlEscaped(shortened(utf16FromUtf8(title), kToastTitleLimit)) + u"</text><text>" +
                             xmlEscaped(shortened(utf16FromUtf8(body), kToastBodyLimit)) +
                             u"</text></binding></visual></toast>";
  const std::u16string id = powerShellQuoted(utf16FromUtf8(appId));
  const auto status = [](int s) { return ascii(std::to_string(s)); };
  // Types are loaded by their WinRT names and made with ::new, which needs no
  // module from disk. Setting throws for an app id that has shown nothing yet,
  // and a manifest means nothing to an app without a package: then it is shown.
  return u"$ErrorActionPreference = 'Stop'\n"
         u"try {\n"
         u"  $null = [Windows.UI.Notifications.ToastNotificationManager, Windows.UI.Notifications, "
         u"ContentType = WindowsRuntime]\n"
         u"  $null = [Windows.UI.Notifications.ToastNotification, Windows.UI.Notifications, "
         u"ContentType = WindowsRuntime]\n"
         u"  $null = [Windows.Data.Xml.Dom.XmlDocument, Windows.Data.Xml.Dom.XmlDocument, "
         u"ContentType = WindowsRuntime]\n"
         u"} catch { exit " +
         status(toast_status::kNoToastTypes) +
         u" }\n"
         u"try {\n"
         u"  $notifier = [Windows.UI.Notifications.ToastNotificationManager]::CreateToastNotifier(" +
         id +
         u")\n"
         u"  $setting = 'Enabled'\n"
         u"  try { $setting = [string]$notifier.Setting } catch { }\n"
         u"  if ($setting -in 'DisabledForApplication', 'DisabledForUser', 'DisabledByGroupPolicy') { exit " +
         status(toast_status::kTurnedOff) +
         u" }\n"
         u"  $xml = [Windows.Data.Xml.Dom.XmlDocument]::new()\n"
         u"  $xml.LoadXml(" +
         powerShellQuoted(xml) +
         u")\n"
         u"  $notifier.Show([Windows.UI.Notifications.ToastNotification]::new($xml))\n"
         u"} catch { exit " +
         status(toast_status::kRefused) +
         u" }\n"
         u"exit 0\n";
}

std::string encodedCommand(const std::u16string& script) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  bytes.reserve(script.size() * 2);
  for (const char16_t c : script) {
    bytes += char(c & 0xFF);
    bytes += char(c >> 8);
  }
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
    unsigned long group = 0;
    for (std::size_t k = 0; k < 3; ++k) group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
  }
  return out;
}

std::string toastArguments(const std::u16string& script) {
  return "-NoProfile -NonInteractive -ExecutionPolicy Bypass -WindowStyle Hidden -EncodedCommand " +
         encodedCommand(script);
}
