#pragma once
// The 18x18 tool-bar images of the maintenance forms, drawn by the program.
class TImageList;

// Add, query, edit, delete, print, first, prior, next, last, re-read (indexes 0 to 9).
void AddBaseFormImages(TImageList& list);
// The single-table form's images, appended after the base ones: calculator, colour filter, save, cancel.
void AddSingleFormImages(TImageList& list);

// Positions of the single-table images after the ten base images.
inline constexpr int kImageCalculator = 10;
inline constexpr int kImageColorFilter = 11;
inline constexpr int kImageSave = 12;
inline constexpr int kImageCancel = 13;

// The master-detail form's images, appended after the single-table ones: workflow, copy, attachments
// (a document without them, and one with them).
void AddDoubleFormImages(TImageList& list);
inline constexpr int kImageFlow = 14;
inline constexpr int kImageCopy = 15;
inline constexpr int kImageAttach = 16;
inline constexpr int kImageAttached = 17;

// The query dialog's scheme list images, a stored query and the view-styles button; drawn larger
// for a list whose images are a multiple of 18 pixels wide.
void AddSchemeImages(TImageList& list);
inline constexpr int kImageScheme = 0;
inline constexpr int kImageViewStyles = 1;
