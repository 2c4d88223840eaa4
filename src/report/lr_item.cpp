#include "lr_item.h"

#include "lr_error.h"
#include "lr_panels.h"

namespace mirte {

TCustomLRItem::TCustomLRItem() {
    SetDefaultSize(65, 17);
}

void TCustomLRItem::PrintItem(TLRCanvas&, const TEdgeRect&, TPrintStatus, double) {}

void TCustomLRItem::CheckParent(TLRControl* parent) const {
    if (parent->AsPanel() == nullptr) {
        RaiseLRError(lr_message::kOnlyOnPanel);
    }
}

} // namespace mirte
