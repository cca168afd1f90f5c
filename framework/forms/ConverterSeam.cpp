#include "framework/forms/ConverterSeam.h"

#include "env/VandrilIni.h"

TRkConverterSeam::TRkConverterSeam(TComponent* owner) : TComponent(owner) {
    // The reader computes the modes from the defaults even when the configuration is missing.
    const TVandrilIniC ini;
    languageMode_ = ini.LanguageMode;
    uiCodePage_ = ini.UICodePage;
    dbCodePage_ = ini.DBCodePage;
    sysCodePage_ = ini.SysCodePage;
}
