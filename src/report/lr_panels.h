#pragma once

#include "lr_canvas.h"
#include "lr_control.h"

#include <functional>
#include <vector>

namespace mirte {

// The events the engine raises while it walks a page. Rectangles are in design pixels relative
// to the page; handlers may change the status to print less.
using TBeforePrintEvent =
    std::function<void(TLRControl* sender, const TEdgeRect& rect, TPrintStatus& status)>;
using TNotifyEvent = std::function<void(TLRControl* sender)>;
using TPrintPanelEvent = std::function<void(TLRControl* sender, int col, int row,
                                            const TEdgeRect& rect, TPrintStatus& status)>;

// All panels: a band or box of the page. A new panel is docked to the top, 100 high.
class TCustomLRPanel : public TLRControl {
public:
    TCustomLRPanel();
    TCustomLRPanel* AsPanel() override { return this; }
    // Draws the panel's content into `rect` (its rectangle on the page). The base draws nothing.
    virtual void PrintPanel(TLRCanvas& canvas, const TEdgeRect& rect, double scale);

    TLRAlign LRAlign() const;
    void SetLRAlign(TLRAlign align);

protected:
    // Prints the children of `container` shifted to `rect`: items and, where `panels` allows,
    // panels.
    static void PrintChildren(const TLRControl& container, TLRCanvas& canvas, const TEdgeRect& rect,
                              TPrintStatus status, double scale, bool layoutPanelsOnly);
};

// A band or box that holds items and further panels.
class TLRLayoutPanel : public TCustomLRPanel {
public:
    void PrintPanel(TLRCanvas& canvas, const TEdgeRect& rect, double scale) override;
    TBeforePrintEvent BeforePrint;
    TNotifyEvent AfterPrint;

protected:
    void CheckParent(TLRControl* parent) const override;
};

// The one-cell template of a grid panel; free-standing as a sub panel.
class TLRChildPanel : public TCustomLRPanel {
public:
    TBeforePrintEvent BeforePrint;
    TNotifyEvent AfterPrint;
};

class TLRSubPanel;

// A rectangle divided into ColCount x RowCount equal cells; the template is printed into every
// cell, after the cell's events had their say.
class TLRGridPanel : public TCustomLRPanel {
public:
    TLRGridPanel();
    ~TLRGridPanel() override;

    void PrintPanel(TLRCanvas& canvas, const TEdgeRect& rect, double scale) override;

    int ColCount() const { return m_colCount; }
    int RowCount() const { return m_rowCount; }
    // ELRError when a cell would be narrower (lower) than 10 design pixels or the count is not
    // positive; the count then stays.
    void SetColCount(int count);
    void SetRowCount(int count);
    TPrintDirection PrintDirection = TPrintDirection::pdHorz;

    TLRChildPanel& Template() { return *m_template; }
    // The template's own events, seen from the grid.
    TBeforePrintEvent& BeforePrintPanel() { return m_template->BeforePrint; }
    TNotifyEvent& AfterPrintPanel() { return m_template->AfterPrint; }
    TBeforePrintEvent BeforePrint;
    TNotifyEvent AfterPrint;
    TPrintPanelEvent OnPrintPanel;

    const std::vector<TLRSubPanel*>& SubPanels() const { return m_subPanels; }

protected:
    void CheckParent(TLRControl* parent) const override;
    TLRControl* ParentFor(TLRControl* child) override;
    TEdgeRect ClientArea() const override; // the first cell: the template's place
    void Resized() override;

private:
    friend class TLRSubPanel;
    void LayoutTemplate();
    void FitSubPanels();

    int m_colCount = 1;
    int m_rowCount = 1;
    TLRChildPanel* m_template = nullptr;   // a child of the grid, owned as such
    std::vector<TLRSubPanel*> m_subPanels; // not owned
};

// A free-standing panel that keeps the cell size of a grid panel. It has no parent in the
// report: its owner keeps it.
class TLRSubPanel : public TLRChildPanel {
public:
    TLRSubPanel();
    ~TLRSubPanel() override;
    TLRGridPanel* GridPanel() const { return m_grid; }
    void SetGridPanel(TLRGridPanel* grid);

protected:
    void CheckParent(TLRControl* parent) const override;
    bool AdjustBounds(int& left, int& top, int& width, int& height) override;

private:
    friend class TLRGridPanel;
    TLRGridPanel* m_grid = nullptr;
};

} // namespace mirte
