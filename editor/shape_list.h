// The drawing: every shape, owned, newest at the head. The newest shape is drawn last (on top)
// and picked first.
#pragma once

#include <iosfwd>
#include <string>

#include "shape.h"

class Display;

struct ShapeNode {
  Shape* shape;
  ShapeNode* next;  // the next older node
};

class ShapeList {
 public:
  ShapeList() : count(0), head(nullptr) {}
  ~ShapeList() { removeAll(); }
  ShapeList(const ShapeList&) = delete;
  ShapeList& operator=(const ShapeList&) = delete;

  // Takes ownership; the shape becomes the newest.
  void add(Shape* shape);
  // Destroys this very shape (compared by address); a shape not in the list changes nothing.
  void remove(Shape* shape);
  // Oldest first; `selected` gets its mark drawn just beneath it.
  void drawAll(Display& display, const Shape* selected);
  // Destroys every shape and clears the drawing area to white.
  void clear(Display& display);
  // The newest shape containing the point, with its mark drawn; nullptr if none.
  Shape* pick(int x, int y, Display& display);
  bool isEmpty() const { return count == 0; }
  int size() const { return count; }
  void removeAll();

  // Drawing files (drawing_file.cpp): ask for a name, then write every shape / add the
  // shapes read.
  void save();
  void load(Display& display);
  // LOAD with the name given: the error dialog if the file cannot be read.
  void load(Display& display, const std::string& name);
  // Every shape's record, oldest first.
  void writeAll(std::ostream& out) const;

 private:
  // Visits the shapes oldest first without recursing once per shape: the links run newest
  // first and a drawing may hold millions of shapes.
  template <typename Visit>
  void forEachOldestFirst(Visit visit) const;

  int count;
  ShapeNode* head;
};
