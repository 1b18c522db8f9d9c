#include "platform/codepage.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <mutex>

#include "platform/text.h"

namespace platform {

namespace {

std::mutex codePageMutex;
std::string explicitCodePage;

std::string Canonical(std::string name) {
    const std::string upper = AsciiUpper(name);
    if (upper.empty() || upper == "ANSI_X3.4-1968" || upper == "ASCII" || upper == "US-ASCII" ||
        upper == "UTF-8" || upper == "UTF8") {
        return "UTF-8";
    }
    if (upper == "EUC-KR" || upper == "EUCKR") {
        return "CP949";
    }
    return name;
}

std::string LocaleCodePage(const std::string& localeName) {
    locale_t loc = newlocale(LC_CTYPE_MASK, localeName.c_str(), static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) {
        return "UTF-8";
    }
    std::string name = nl_langinfo_l(CODESET, loc);
    freelocale(loc);
    return Canonical(name);
}

bool KnownToIconv(const std::string& name) {
    iconv_t cd = iconv_open(name.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    iconv_close(cd);
    return true;
}

// Converts with iconv, putting "?" for every sequence that cannot be converted.
std::string Convert(std::string_view input, const std::string& from, const std::string& to) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::string(input);
    }
    std::string out;
    out.reserve(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (rc != static_cast<size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ or EINVAL: an invalid or unconvertible sequence.
        size_t skip = 1;
        if (from == "UTF-8") {
            skip = std::max<size_t>(1, Utf8SequenceLength(std::string_view(in, inLeft), 0));
        }
        out += '?';
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string CodePageName() {
    std::lock_guard<std::mutex> lock(codePageMutex);
    if (!explicitCodePage.empty()) {
        return explicitCodePage;
    }
    static const std::string fromLocale = LocaleCodePage("");
    return fromLocale;
}

bool SetCodePage(const std::string& name) {
    const std::string canonical = name.empty() ? std::string() : Canonical(name);
    if (!canonical.empty() && !KnownToIconv(canonical)) {
        return false;
    }
    std::lock_guard<std::mutex> lock(codePageMutex);
    explicitCodePage = canonical;
    return true;
}

std::string CodePageForLocale(const std::string& localeName) {
    return LocaleCodePage(localeName);
}

bool CodePageIsUtf8() {
    return CodePageName() == "UTF-8";
}

std::string ToAnsi(std::string_view text) {
    const std::string cp = CodePageName();
    if (cp == "UTF-8") {
        return std::string(text);
    }
    return Convert(text, "UTF-8", cp);
}

bool FitsCodePage(std::string_view text) {
    if (CodePageIsUtf8()) {
        return true;
    }
    return FromAnsi(ToAnsi(text)) == text;
}

std::string FromAnsi(std::string_view bytes) {
    const std::string cp = CodePageName();
    if (cp == "UTF-8") {
        return std::string(bytes);
    }
    return Convert(bytes, cp, "UTF-8");
}

}  // namespace platform
