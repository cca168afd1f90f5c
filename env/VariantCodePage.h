#pragma once
// Code-page conversion of the texts inside a variant: a scalar, a one-dimensional array (whose
// elements may be arrays) or a two-dimensional array. Texts stay UTF-8 in memory, so converting "to"
// a code page keeps UTF-8 but replaces what the code page lacks by "?"; converting "from" a code page
// decodes the code page's bytes (byte arrays, or strings that are not UTF-8) into UTF-8 strings.
// Failures are written to the alert log "libstrs" and leave the value unchanged.
#include "toolkit/rtl/Variant.h"

Variant VariantToCodePage(const Variant& value, int codePage);
Variant VariantFromCodePage(const Variant& value, int codePage);
