#include "i18n/Translator.h"

#include "toolkit/rtl/Format.h"

TTranslator::TTranslator(const std::string& libraryName) {
    if (!library_.Load(ResolveLibraryPath(libraryName))) throw Exception(Format("Load Library %s Error!", {libraryName}));
    gbToBig5_ = library_.Function<TTextConversionEntry>("GBtoBIG5");
    big5ToGb_ = library_.Function<TTextConversionEntry>("BIG5toGB");
    getBig5Data_ = library_.Function<TTextConversionEntry>("GetBIG5Data");
    getGbData_ = library_.Function<TTextConversionEntry>("GetGBData");
    saveOrder_ = library_.Function<TSaveOrderEntry>("SaveOrder");
    if (!gbToBig5_ || !big5ToGb_) throw Exception("Get Library Procedure Address Error!");
}

std::string TTranslator::Run(TTextConversionEntry entry, const std::string& text) const {
    return CallTextConversion(entry, text);
}

std::string CallTextConversion(TTextConversionEntry entry, const std::string& text) {
    // Character conversions rarely grow a text; one call is the rule, a second the exception.
    std::string out(text.size() + text.size() / 2 + 16, '\0');
    long length = entry(text.data(), static_cast<long>(text.size()), out.data(), static_cast<long>(out.size()));
    if (length >= static_cast<long>(out.size())) {
        out.assign(static_cast<std::size_t>(length) + 1, '\0');
        length = entry(text.data(), static_cast<long>(text.size()), out.data(), static_cast<long>(out.size()));
    }
    if (length < 0 || length >= static_cast<long>(out.size()))
        throw Exception("The translator library could not convert the text");
    out.resize(static_cast<std::size_t>(length));
    return out;
}
