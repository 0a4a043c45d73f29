#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <list>
#include <utility>
#include <vector>

// Sequences whose every indexed access is checked. A bad index never touches memory outside
// the sequence: it logs one line, asks the main window to close, and hands back a valid
// element so that the current frame can finish before the program ends in order.

enum class SequenceKind : char { Vector = 'V', List = 'L' };

// The whole error path: the error log, the report log, then a close request. Kept out of line
// so that a checked access costs only its two comparisons.
[[gnu::cold]] [[gnu::noinline]] void ReportBadSequenceIndex(SequenceKind kind, int index, std::size_t size,
                                                           std::size_t elementSize);

// What a failed access falls back on when the sequence has no element to offer: one per
// element type, zero-initialised or default-constructed, living until the program ends.
// Writes through a failed access land here and stay for the next one.
template <typename T>
T& SequenceDefaultElement() {
  static T element{};
  return element;
}

template <typename T>
class cVector : public std::vector<T> {
 public:
  using Base = std::vector<T>;
  using Base::Base;
  cVector() = default;
  cVector(const Base& other) : Base(other) {}
  cVector(Base&& other) noexcept : Base(std::move(other)) {}

  T& operator[](int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < this->size()) [[likely]] return this->data()[index];
    return BadIndex(*this, index);
  }
  const T& operator[](int index) const {
    if (index >= 0 && static_cast<std::size_t>(index) < this->size()) [[likely]] return this->data()[index];
    return BadIndex(*this, index);
  }

  void Fill(const T& value) { std::fill(this->begin(), this->end(), value); }

  // Every element equal to value goes; the rest keep their order. By value: the argument may
  // be one of the elements that the removal shifts.
  bool RemoveValue(T value) { return std::erase(static_cast<Base&>(*this), value) > 0; }

  // Appends value unless an element already equals it; true when appended.
  bool AddUnique(const T& value) {
    if (Contains(value)) return false;
    this->push_back(value);
    return true;
  }

  bool Contains(const T& value) const { return std::find(this->begin(), this->end(), value) != this->end(); }

 private:
  // Element 0 when there is one; an empty vector has none, so the type's default element.
  template <typename Self>
  [[gnu::cold]] [[gnu::noinline]] static auto& BadIndex(Self& self, int index) {
    ReportBadSequenceIndex(SequenceKind::Vector, index, self.size(), sizeof(T));
    return self.empty() ? SequenceDefaultElement<T>() : self.front();
  }
};

template <typename T>
class cList : public std::list<T> {
 public:
  using Base = std::list<T>;
  using iterator = typename Base::iterator;
  using const_iterator = typename Base::const_iterator;
  using Base::Base;
  cList() = default;
  cList(const Base& other) : Base(other) {}
  cList(Base&& other) noexcept : Base(std::move(other)) {}

  T& operator[](int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < this->size()) [[likely]] return *WalkTo(*this, index);
    return BadIndex(index);
  }
  const T& operator[](int index) const {
    if (index >= 0 && static_cast<std::size_t>(index) < this->size()) [[likely]] return *WalkTo(*this, index);
    return BadIndex(index);
  }

  // The position of element index, unchecked in the sense that nothing is logged: an index
  // outside the list gives the end position.
  iterator NodeAt(int index) { return InRange(index) ? WalkTo(*this, index) : this->end(); }
  const_iterator NodeAt(int index) const { return InRange(index) ? WalkTo(*this, index) : this->end(); }

  // Removes element index; returns the position after it, or the end when there is none.
  iterator EraseAt(int index) {
    const iterator node = NodeAt(index);
    return node == this->end() ? node : this->erase(node);
  }

  // Inserts a copy of value before element index: at the front for 0 (and below), at the back
  // for an index at or past the size.
  void InsertAt(int index, const T& value) { this->insert(index <= 0 ? this->begin() : NodeAt(index), value); }

  // Unlinks the first element equal to value (for pointer elements the object pointed to is
  // left alone); returns the position after it, or the end when none matched.
  iterator RemoveValue(const T& value) {
    const iterator node = std::find(this->begin(), this->end(), value);
    return node == this->end() ? node : this->erase(node);
  }

 private:
  bool InRange(int index) const { return index >= 0 && static_cast<std::size_t>(index) < this->size(); }

  // From whichever end is nearer; index must be in range.
  template <typename Self>
  static auto WalkTo(Self& self, int index) {
    const auto at = static_cast<std::size_t>(index);
    if (at <= self.size() / 2) return std::next(self.begin(), static_cast<std::ptrdiff_t>(at));
    return std::prev(self.end(), static_cast<std::ptrdiff_t>(self.size() - at));
  }

  [[gnu::cold]] [[gnu::noinline]] T& BadIndex(int index) const {
    ReportBadSequenceIndex(SequenceKind::List, index, this->size(), sizeof(T));
    return SequenceDefaultElement<T>();
  }
};
