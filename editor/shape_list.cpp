#include "shape_list.h"

#include <zr590/display.h>

#include <memory>
#include <vector>

template <typename Visit>
void ShapeList::forEachOldestFirst(Visit visit) const {
  std::vector<Shape*> newestFirst;
  newestFirst.reserve(static_cast<std::size_t>(count));
  for (ShapeNode* node = head; node != nullptr; node = node->next) {
    newestFirst.push_back(node->shape);
  }
  for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) visit(**it);
}

void ShapeList::add(Shape* shape) {
  // If the node cannot be allocated the shape is destroyed and the list stays as it was.
  std::unique_ptr<Shape> owned(shape);
  head = new ShapeNode{owned.get(), head};
  owned.release();
  ++count;
}

void ShapeList::remove(Shape* shape) {
  ShapeNode* previous = nullptr;
  for (ShapeNode* node = head; node != nullptr; previous = node, node = node->next) {
    if (node->shape != shape) continue;
    (previous == nullptr ? head : previous->next) = node->next;
    delete node->shape;
    delete node;
    --count;
    return;
  }
}

void ShapeList::drawAll(Display& display, const Shape* selected) {
  forEachOldestFirst([&](Shape& shape) {
    if (&shape == selected) shape.drawSelection(display);
    shape.draw(display);
  });
}

void ShapeList::clear(Display& display) {
  removeAll();
  display.clear(1);
}

Shape* ShapeList::pick(int x, int y, Display& display) {
  for (ShapeNode* node = head; node != nullptr; node = node->next) {
    if (node->shape->contains(x, y)) {
      node->shape->drawSelection(display);
      return node->shape;
    }
  }
  return nullptr;
}

void ShapeList::removeAll() {
  while (!isEmpty()) {
    ShapeNode* node = head;
    head = node->next;
    delete node->shape;
    delete node;
    --count;
  }
}

void ShapeList::writeAll(std::ostream& out) const {
  forEachOldestFirst([&](Shape& shape) { shape.write(out); });
}
