#pragma once
// The texts a user can see in a window or data module, each named by its path ("btnSave.Caption",
// "lvSchemes.Columns_0.Caption", "sbStatus.Panels_1.Text", "moMsgLNG.Lines_3"): captions, hints,
// texts that are not a field's, list items and lines, list-view columns and items, grid column titles,
// status panels, menu items; everything the component owns, depth first, but for the windows and data
// modules it owns (entries of their own).
#include <string>
#include <utility>
#include <vector>

class TComponent;

using TNamedText = std::pair<std::string, std::string>;  // path, text

std::vector<TNamedText> VisibleTexts(TComponent& root);

// Whether a text holds characters an English interface does not show (Chinese characters and
// full-width punctuation).
bool HasChineseText(const std::string& text);
