#include "lr_panels.h"

#include "lr_error.h"
#include "lr_item.h"
#include "lr_page.h"

#include <algorithm>

namespace mirte {

// ---- TCustomLRPanel

TCustomLRPanel::TCustomLRPanel() {
    SetDefaultSize(100, 100);
    SetAlign(TAlign::alTop);
}

void TCustomLRPanel::PrintPanel(TLRCanvas&, const TEdgeRect&, double) {}

TLRAlign TCustomLRPanel::LRAlign() const {
    switch (Align()) {
    case TAlign::alTop:
        return TLRAlign::laTop;
    case TAlign::alBottom:
        return TLRAlign::laBottom;
    case TAlign::alLeft:
        return TLRAlign::laLeft;
    case TAlign::alRight:
        return TLRAlign::laRight;
    default:
        return TLRAlign::laClient;
    }
}

void TCustomLRPanel::SetLRAlign(TLRAlign align) {
    if (align == LRAlign()) {
        return;
    }
    switch (align) {
    case TLRAlign::laTop:
        SetAlign(TAlign::alTop);
        break;
    case TLRAlign::laBottom:
        SetAlign(TAlign::alBottom);
        break;
    case TLRAlign::laLeft:
        SetAlign(TAlign::alLeft);
        break;
    case TLRAlign::laRight:
        SetAlign(TAlign::alRight);
        break;
    case TLRAlign::laClient:
        SetAlign(TAlign::alClient);
        break;
    }
}

void TCustomLRPanel::PrintChildren(const TLRControl& container, TLRCanvas& canvas,
                                   const TEdgeRect& rect, TPrintStatus status, double scale,
                                   bool layoutPanelsOnly) {
    for (TLRControl* child : container.ChildOrder()) {
        if (!child->Enabled()) {
            continue;
        }
        TEdgeRect childRect = child->BoundsRect();
        childRect.Left += rect.Left;
        childRect.Right += rect.Left;
        childRect.Top += rect.Top;
        childRect.Bottom += rect.Top;
        if (child->IsItem()) {
            static_cast<TCustomLRItem*>(child)->PrintItem(canvas, childRect, status, scale);
        } else if (TCustomLRPanel* panel = child->AsPanel()) {
            if (!layoutPanelsOnly || dynamic_cast<TLRLayoutPanel*>(panel) != nullptr) {
                panel->PrintPanel(canvas, childRect, scale);
            }
        }
    }
}

// ---- TLRLayoutPanel

void TLRLayoutPanel::CheckParent(TLRControl* parent) const {
    if (dynamic_cast<VUvudiRoz*>(parent) == nullptr &&
        dynamic_cast<TLRLayoutPanel*>(parent) == nullptr &&
        dynamic_cast<TLRChildPanel*>(parent) == nullptr) {
        RaiseLRError(lr_message::kOnlyOnPageOrLayout);
    }
}

void TLRLayoutPanel::PrintPanel(TLRCanvas& canvas, const TEdgeRect& rect, double scale) {
    TPrintStatus status = TPrintStatus::stPrint;
    if (BeforePrint) {
        BeforePrint(this, rect, status);
    }
    if (status == TPrintStatus::stSkip) {
        return;
    }
    PrintChildren(*this, canvas, rect, status, scale, false);
    if (AfterPrint) {
        AfterPrint(this);
    }
}

// ---- TLRGridPanel

TLRGridPanel::TLRGridPanel() {
    m_template = TLRControl::Create<TLRChildPanel>(this);
    m_template->SetAlign(TAlign::alClient);
}

TLRGridPanel::~TLRGridPanel() {
    for (TLRSubPanel* sub : m_subPanels) {
        sub->m_grid = nullptr;
    }
}

void TLRGridPanel::CheckParent(TLRControl* parent) const {
    if (dynamic_cast<VUvudiRoz*>(parent) == nullptr &&
        dynamic_cast<TLRLayoutPanel*>(parent) == nullptr) {
        RaiseLRError(lr_message::kOnlyOnPageOrLayout);
    }
}

TLRControl* TLRGridPanel::ParentFor(TLRControl* child) {
    if (m_template != nullptr && child != m_template) {
        return m_template;
    }
    return this;
}

TEdgeRect TLRGridPanel::ClientArea() const {
    TEdgeRect cell{0, 0, Width(), Height()};
    if (m_colCount > 1) {
        cell.Right = cell.Left + Width() / m_colCount;
    }
    if (m_rowCount > 1) {
        cell.Bottom = cell.Top + Height() / m_rowCount;
    }
    return cell;
}

void TLRGridPanel::Resized() {
    LayoutTemplate();
}

void TLRGridPanel::LayoutTemplate() {
    Realign();
    FitSubPanels();
}

void TLRGridPanel::FitSubPanels() {
    if (m_template == nullptr) {
        return;
    }
    const TEdgeRect cell = ClientArea();
    for (TLRSubPanel* sub : m_subPanels) {
        if (sub->Width() != cell.Width() || sub->Height() != cell.Height()) {
            sub->SetBoundsRaw(sub->Left(), sub->Top(), cell.Width(), cell.Height());
        }
    }
}

void TLRGridPanel::SetColCount(int count) {
    if (count == m_colCount) {
        return;
    }
    if (count <= 0 || Width() / count < 10) {
        RaiseLRError(lr_message::kColCount);
    }
    m_colCount = count;
    LayoutTemplate();
}

void TLRGridPanel::SetRowCount(int count) {
    if (count == m_rowCount) {
        return;
    }
    if (count <= 0 || Height() / count < 10) {
        RaiseLRError(lr_message::kRowCount);
    }
    m_rowCount = count;
    LayoutTemplate();
}

void TLRGridPanel::PrintPanel(TLRCanvas& canvas, const TEdgeRect& rect, double scale) {
    TPrintStatus status = TPrintStatus::stPrint;
    if (BeforePrint) {
        BeforePrint(this, rect, status);
    }
    if (status == TPrintStatus::stSkip) {
        return;
    }
    const int w = Width();
    const int h = Height();
    const int cols = m_colCount;
    const int rows = m_rowCount;
    auto printCell = [&](int col, int row) {
        const TEdgeRect cell{rect.Left + (w * col) / cols, rect.Top + (h * row) / rows,
                             rect.Left + (w * (col + 1)) / cols, rect.Top + (h * (row + 1)) / rows};
        TPrintStatus cellStatus = TPrintStatus::stPrint;
        if (OnPrintPanel) {
            OnPrintPanel(this, col, row, cell, cellStatus);
            if (cellStatus == TPrintStatus::stSkip) {
                return;
            }
        }
        if (m_template->BeforePrint) {
            m_template->BeforePrint(m_template, cell, cellStatus);
            if (cellStatus == TPrintStatus::stSkip) {
                return;
            }
        }
        PrintChildren(*m_template, canvas, cell, cellStatus, scale, true);
        if (m_template->AfterPrint) {
            m_template->AfterPrint(m_template);
        }
    };
    if (PrintDirection == TPrintDirection::pdVert) {
        for (int col = 0; col < cols; ++col) {
            for (int row = 0; row < rows; ++row) {
                printCell(col, row);
            }
        }
    } else {
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < cols; ++col) {
                printCell(col, row);
            }
        }
    }
    if (AfterPrint) {
        AfterPrint(this);
    }
}

// ---- TLRSubPanel

TLRSubPanel::TLRSubPanel() {
    SetAlign(TAlign::alNone);
}

TLRSubPanel::~TLRSubPanel() {
    SetGridPanel(nullptr);
}

void TLRSubPanel::CheckParent(TLRControl*) const {
    RaiseLRError(lr_message::kNotOnPage);
}

void TLRSubPanel::SetGridPanel(TLRGridPanel* grid) {
    if (grid == m_grid) {
        return;
    }
    if (m_grid != nullptr) {
        auto& list = m_grid->m_subPanels;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    m_grid = grid;
    if (grid != nullptr) {
        grid->m_subPanels.push_back(this);
        const TEdgeRect cell = grid->ClientArea();
        SetBoundsRaw(Left(), Top(), cell.Width(), cell.Height());
    }
}

bool TLRSubPanel::AdjustBounds(int&, int&, int& width, int& height) {
    if (m_grid != nullptr) {
        const TEdgeRect cell = m_grid->ClientArea();
        width = cell.Width();
        height = cell.Height();
    }
    return true;
}

} // namespace mirte
