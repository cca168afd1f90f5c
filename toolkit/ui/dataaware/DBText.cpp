#include "toolkit/ui/dataaware/DBText.h"

void TDBText::Publish(TPublisher<TDBText>& p) {
    PublishStandard(p);
    p.Property("Alignment", &TDBText::Alignment, &TDBText::SetAlignment);
    p.Property("AutoSize", &TDBText::AutoSize, &TDBText::SetAutoSize);
    p.Property("DataField", &TDBText::DataField, &TDBText::SetDataField);
    p.Property("DataSource", &TDBText::DataSource, &TDBText::SetDataSource);
    p.Property("Layout", &TDBText::Layout, &TDBText::SetLayout);
    p.Property("Transparent", &TDBText::Transparent, &TDBText::SetTransparent);
    p.Property("WordWrap", &TDBText::WordWrap, &TDBText::SetWordWrap);
}

TDBText::TDBText(TComponent* owner)
    : TDataAwareControl<TCustomLabel>(
          owner, [this] { SetCaption(data_.FieldText(false)); }, [] {}) {
    SetAutoSize(false);
    SetShowAccelChar(false);
}
