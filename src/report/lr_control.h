#pragma once

#include "lr_types.h"

#include <memory>
#include <vector>

namespace mirte {

class TCustomLRPanel;

// A node of a report: the page, a panel or an item. Bounds are in design pixels relative to the
// parent's corner. A control owns its children; the placement rules of each kind decide which
// parents it accepts. Only the GUI thread touches a report.
class TLRControl {
public:
    TLRControl() = default;
    virtual ~TLRControl();
    TLRControl(const TLRControl&) = delete;
    TLRControl& operator=(const TLRControl&) = delete;

    // Makes a control of kind T on a parent (which then owns it); raises ELRError when T may not
    // be placed there, and nothing is made. Controls without a parent (the page, sub panels)
    // are made with std::make_unique and owned by the caller.
    template <class T, class... Args> static T* Create(TLRControl* parent, Args&&... args) {
        return static_cast<T*>(Adopt(parent, std::make_unique<T>(std::forward<Args>(args)...)));
    }
    // Places a control that has no parent (made alone, or detached) on a parent.
    static TLRControl* Adopt(TLRControl* parent, std::unique_ptr<TLRControl> control);

    TLRControl* Parent() const { return m_parent; }
    // Moves the control to another parent (which must accept it; ELRError otherwise, and the
    // control stays where it was). Null does nothing: Detach() takes a control off.
    void SetParent(TLRControl* parent);
    // Takes the control off its parent and hands it to the caller.
    std::unique_ptr<TLRControl> Detach();

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    TEdgeRect BoundsRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }

    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

    // The font, inherited from the parent while ParentFont is set; setting a font ends that.
    const TLRFont& Font() const;
    void SetFont(const TLRFont& font);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont) { m_parentFont = parentFont; }
    QColor Color() const;
    void SetColor(QColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor) { m_parentColor = parentColor; }

    // Items are drawn before their sibling panels, whatever the order of placing.
    virtual bool IsItem() const { return false; }
    virtual TCustomLRPanel* AsPanel() { return nullptr; }

    // The children in the order of placing (the stacking order).
    const std::vector<std::unique_ptr<TLRControl>>& Children() const { return m_children; }
    // The children as they print: all items in stacking order, then all panels in theirs.
    std::vector<TLRControl*> ChildOrder() const;
    void BringToFront();
    void SendToBack();

    // Docks the children into the client area (the standard rule: top, bottom, left, right,
    // then the one that fills).
    void Realign();
    // Holds docking back while a report is built, so that the stored positions decide the order
    // of the docked children; the last EnableAlign docks them once.
    void DisableAlign() { ++m_alignDisabled; }
    void EnableAlign();

protected:
    // Raises ELRError when the control may not sit on `parent` (never null here).
    virtual void CheckParent(TLRControl* parent) const;
    // The control that really takes a child given this control as parent (a grid: its template).
    virtual TLRControl* ParentFor(TLRControl* /*child*/) { return this; }
    // The area the docked children share, relative to the control's corner.
    virtual TEdgeRect ClientArea() const { return {0, 0, m_width, m_height}; }
    // A request to change the bounds; a control may adjust or refuse it. Return false to refuse.
    virtual bool AdjustBounds(int& left, int& top, int& width, int& height);
    // After the size changed (by a request or by docking).
    virtual void Resized() { Realign(); }
    // Sets the bounds without asking and without re-docking the parent (docking uses it).
    void SetBoundsRaw(int left, int top, int width, int height);
    void SetDefaultSize(int width, int height) { m_width = width, m_height = height; }

private:
    std::unique_ptr<TLRControl> TakeChild(TLRControl* child);

    TLRControl* m_parent = nullptr;
    std::vector<std::unique_ptr<TLRControl>> m_children;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TAlign m_align = TAlign::alNone;
    bool m_enabled = true;
    bool m_parentFont = true;
    bool m_parentColor = true;
    TLRFont m_font;
    QColor m_color = Qt::white;
    bool m_aligning = false;
    int m_alignDisabled = 0;
};

} // namespace mirte
