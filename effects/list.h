#pragma once
// Per-frame object lists: std::list of shared_ptr, owned by a global (or a screen, or a
// level). Walking is safe against anything the walked objects do: an object removes itself
// (or another) with fx::remove, which only marks it dead while its list is being walked;
// the walk erases dead entries as it passes them. New objects go to the end and are
// reached by the same walk. Outside a walk, fx::remove erases at once.
//
// An element type needs a `bool _dead` member (false while it lives).
#include <cstddef>
#include <list>
#include <memory>

namespace fx {

template <class T>
using List = std::list<std::shared_ptr<T>>;

namespace detail {
// How many walks are under way over the list at this address.
int walkDepth(const void* list);
void enterWalk(const void* list);
void leaveWalk(const void* list);
}  // namespace detail

// Calls f(T&) on every live element, first to last. Dead entries are erased on the way.
template <class T, class F>
void walk(List<T>& list, F&& f) {
    detail::enterWalk(&list);
    // Only the outermost walk erases: an inner one must not pull entries from under it.
    const bool outer = detail::walkDepth(&list) == 1;
    for (auto it = list.begin(); it != list.end();) {
        auto cur = it++;
        if (!*cur || (*cur)->_dead) {
            if (outer) list.erase(cur);
            continue;
        }
        std::shared_ptr<T> keep = *cur;  // alive through its own update
        f(*keep);
    }
    detail::leaveWalk(&list);
    // A walk nested inside another may leave entries marked during the inner part.
    if (detail::walkDepth(&list) == 0) list.remove_if([](const auto& p) { return !p || p->_dead; });
}

// Calls f on every live element without erasing anything (drawing, questions). Nothing
// may be added to or erased from the list by f.
template <class L, class F>
void each(L& list, F&& f) {
    for (auto& p : list)
        if (p && !p->_dead) f(*p);
}

// Takes the element out of the list (no-op when it is not there).
template <class T>
void remove(List<T>& list, const T* obj) {
    if (!obj) return;
    if (detail::walkDepth(&list) > 0) {
        for (auto& p : list)
            if (p.get() == obj) p->_dead = true;
        return;
    }
    list.remove_if([obj](const auto& p) { return p.get() == obj; });
}

// Drops every element ("replaces the list with an empty one"), also during a walk.
template <class T>
void clear(List<T>& list) {
    if (detail::walkDepth(&list) > 0) {
        for (auto& p : list)
            if (p) p->_dead = true;
        return;
    }
    list.clear();
}

// True while a walk over the list is under way (the list must not be reordered by erasing).
template <class T>
bool walking(const List<T>& list) {
    return detail::walkDepth(&list) > 0;
}

// Elements still alive.
template <class T>
std::size_t live(const List<T>& list) {
    std::size_t n = 0;
    for (const auto& p : list) n += (p && !p->_dead) ? 1 : 0;
    return n;
}

}  // namespace fx
