#include "lr_control.h"

#include "lr_error.h"

#include <algorithm>
#include <stdexcept>

namespace mirte {

TLRControl::~TLRControl() = default;

TLRControl* TLRControl::Adopt(TLRControl* parent, std::unique_ptr<TLRControl> control) {
    if (parent == nullptr) {
        throw std::logic_error("a report control needs a parent to own it");
    }
    TLRControl* raw = control.get();
    TLRControl* target = parent->ParentFor(control.get());
    control->CheckParent(target);
    control->m_parent = target;
    target->m_children.push_back(std::move(control));
    target->Realign();
    return raw;
}

std::unique_ptr<TLRControl> TLRControl::TakeChild(TLRControl* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [child](const auto& c) { return c.get() == child; });
    if (it == m_children.end()) {
        return nullptr;
    }
    std::unique_ptr<TLRControl> taken = std::move(*it);
    m_children.erase(it);
    taken->m_parent = nullptr;
    return taken;
}

void TLRControl::SetParent(TLRControl* parent) {
    if (parent == nullptr) {
        return; // taking a control off its parent is Detach(), which hands it over
    }
    TLRControl* target = parent->ParentFor(this);
    if (target == m_parent) {
        return;
    }
    CheckParent(target);
    std::unique_ptr<TLRControl> self = m_parent ? m_parent->TakeChild(this) : nullptr;
    if (!self) {
        // A control without a parent is owned by whoever made it: Adopt() hands it over.
        throw std::logic_error("a control without a parent is placed with Adopt()");
    }
    TLRControl* old = m_parent;
    Adopt(target, std::move(self));
    if (old != nullptr) {
        old->Realign();
    }
}

std::unique_ptr<TLRControl> TLRControl::Detach() {
    if (m_parent == nullptr) {
        return nullptr;
    }
    TLRControl* old = m_parent;
    std::unique_ptr<TLRControl> self = old->TakeChild(this);
    old->Realign();
    return self;
}

void TLRControl::CheckParent(TLRControl*) const {}

bool TLRControl::AdjustBounds(int&, int&, int&, int&) {
    return true;
}

void TLRControl::SetBounds(int left, int top, int width, int height) {
    if (!AdjustBounds(left, top, width, height)) {
        return;
    }
    if (left == m_left && top == m_top && width == m_width && height == m_height) {
        return;
    }
    SetBoundsRaw(left, top, width, height);
    // Only a docked control moves its siblings; print jobs move undocked items once per cell.
    if (m_parent != nullptr && m_align != TAlign::alNone) {
        m_parent->Realign();
    }
}

void TLRControl::SetBoundsRaw(int left, int top, int width, int height) {
    const bool resized = width != m_width || height != m_height;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (resized) {
        Resized();
    }
}

void TLRControl::SetAlign(TAlign align) {
    if (align == m_align) {
        return;
    }
    m_align = align;
    if (m_parent != nullptr) {
        m_parent->Realign();
    }
}

const TLRFont& TLRControl::Font() const {
    if (m_parentFont && m_parent != nullptr) {
        return m_parent->Font();
    }
    return m_font;
}

void TLRControl::SetFont(const TLRFont& font) {
    m_font = font;
    m_parentFont = false;
}

QColor TLRControl::Color() const {
    if (m_parentColor && m_parent != nullptr) {
        return m_parent->Color();
    }
    return m_color;
}

void TLRControl::SetColor(QColor color) {
    m_color = color;
    m_parentColor = false;
}

std::vector<TLRControl*> TLRControl::ChildOrder() const {
    std::vector<TLRControl*> order;
    order.reserve(m_children.size());
    for (const auto& c : m_children) {
        if (c->IsItem()) {
            order.push_back(c.get());
        }
    }
    for (const auto& c : m_children) {
        if (!c->IsItem()) {
            order.push_back(c.get());
        }
    }
    return order;
}

void TLRControl::BringToFront() {
    if (m_parent == nullptr) {
        return;
    }
    auto& siblings = m_parent->m_children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [this](const auto& c) { return c.get() == this; });
    std::rotate(it, it + 1, siblings.end());
}

void TLRControl::SendToBack() {
    if (m_parent == nullptr) {
        return;
    }
    auto& siblings = m_parent->m_children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [this](const auto& c) { return c.get() == this; });
    std::rotate(siblings.begin(), it, it + 1);
}

void TLRControl::EnableAlign() {
    if (m_alignDisabled > 0 && --m_alignDisabled == 0) {
        Realign();
    }
}

void TLRControl::Realign() {
    if (m_aligning || m_alignDisabled > 0) {
        return;
    }
    m_aligning = true;
    TEdgeRect area = ClientArea();
    auto docked = [this](TAlign align) {
        std::vector<TLRControl*> list;
        for (const auto& c : m_children) {
            if (c->m_align == align) {
                list.push_back(c.get());
            }
        }
        return list;
    };
    auto place = [](TLRControl* c, int l, int t, int w, int h) {
        c->SetBoundsRaw(l, t, std::max(w, 0), std::max(h, 0));
    };

    auto tops = docked(TAlign::alTop);
    std::stable_sort(tops.begin(), tops.end(),
                     [](auto* a, auto* b) { return a->m_top < b->m_top; });
    for (TLRControl* c : tops) {
        place(c, area.Left, area.Top, area.Width(), c->m_height);
        area.Top += c->m_height;
    }
    auto bottoms = docked(TAlign::alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(), [](auto* a, auto* b) {
        return a->m_top + a->m_height > b->m_top + b->m_height;
    });
    for (TLRControl* c : bottoms) {
        place(c, area.Left, area.Bottom - c->m_height, area.Width(), c->m_height);
        area.Bottom -= c->m_height;
    }
    auto lefts = docked(TAlign::alLeft);
    std::stable_sort(lefts.begin(), lefts.end(),
                     [](auto* a, auto* b) { return a->m_left < b->m_left; });
    for (TLRControl* c : lefts) {
        place(c, area.Left, area.Top, c->m_width, area.Height());
        area.Left += c->m_width;
    }
    auto rights = docked(TAlign::alRight);
    std::stable_sort(rights.begin(), rights.end(), [](auto* a, auto* b) {
        return a->m_left + a->m_width > b->m_left + b->m_width;
    });
    for (TLRControl* c : rights) {
        place(c, area.Right - c->m_width, area.Top, c->m_width, area.Height());
        area.Right -= c->m_width;
    }
    for (TLRControl* c : docked(TAlign::alClient)) {
        place(c, area.Left, area.Top, area.Width(), area.Height());
    }
    m_aligning = false;
}

} // namespace mirte
