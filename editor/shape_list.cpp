#include "shape_list.h"

#include <zr590/display.h>

#include <ostream>

void ShapeList::add(Shape* shape) {
  shape->next = head;
  shape->newer = nullptr;
  if (head != nullptr) head->newer = shape;
  head = shape;
  if (oldest == nullptr) oldest = shape;
  ++count;
}

void ShapeList::remove(Shape* shape) {
  Shape* newer = nullptr;
  if (!find(shape, newer)) return;
  unlink(newer, {shape, shape, 1});
  delete shape;
}

void ShapeList::drawAll(Display& display, const Shape* selected) {
  // The figures go to the display in batches: one call for many shapes, whatever their kinds.
  constexpr int kBatch = 256;
  zr590::Figure batch[kBatch];
  zr590::Figure* end = batch;
  auto flush = [&] {
    display.drawFigures(batch, static_cast<int>(end - batch));
    end = batch;
  };
  forEachOldestFirst([&](Shape& shape) {
    if (&shape == selected || end == batch + kBatch) [[unlikely]] {
      flush();
      if (&shape == selected) shape.drawSelection(display);
    }
    *end++ = shape.figure();
  });
  flush();
}

void ShapeList::clear(Display& display) {
  removeAll();
  display.clear(1);
}

Shape* ShapeList::pick(int x, int y, Display& display) {
  for (Shape* shape = head; shape != nullptr; shape = shape->next) {
    if (shape->contains(x, y)) {
      shape->drawSelection(display);
      return shape;
    }
  }
  return nullptr;
}

void ShapeList::removeAll() {
  while (!isEmpty()) {
    Shape* shape = head;
    head = shape->next;
    delete shape;
    --count;
  }
  oldest = nullptr;
}

void ShapeList::writeAll(std::ostream& out) const {
  forEachOldestFirst([&](Shape& shape) { shape.write(out); });
}

bool ShapeList::find(const Shape* shape, Shape*& newer) const {
  newer = nullptr;
  for (Shape* s = head; s != nullptr; newer = s, s = s->next) {
    if (s == shape) return true;
  }
  return false;
}

void ShapeList::unlink(Shape* newer, const ShapeChain& chain) {
  if (chain.count == 0) return;
  Shape*& link = newer != nullptr ? newer->next : head;
  if (chain.oldest == oldest) {
    // The run ends the list and so already ends in nullptr: no shape needs touching, which
    // keeps taking out the whole drawing as cheap as taking out one shape.
    link = nullptr;
    oldest = newer;
  } else {
    link = chain.oldest->next;
    link->newer = newer;
    chain.oldest->next = nullptr;
  }
  count -= chain.count;
}

void ShapeList::link(Shape* newer, const ShapeChain& chain) {
  if (chain.count == 0) return;
  Shape*& link = newer != nullptr ? newer->next : head;
  // A run that belongs to no list ends in nullptr already.
  if (link == nullptr) {
    oldest = chain.oldest;
  } else {
    chain.oldest->next = link;
    link->newer = chain.oldest;
  }
  chain.newest->newer = newer;
  link = chain.newest;
  count += chain.count;
}

ShapeChain ShapeList::addAll(ShapeList& from) {
  const ShapeChain chain = from.all();
  from.unlink(nullptr, chain);
  link(nullptr, chain);
  return chain;
}

void ShapeList::destroy(const ShapeChain& chain) {
  Shape* shape = chain.newest;
  for (int i = 0; i < chain.count; ++i) {
    Shape* older = shape->next;
    delete shape;
    shape = older;
  }
}
