// The drawing: every shape, owned, newest at the head. The newest shape is drawn last (on top)
// and picked first. The shapes are the list's nodes (each links to the next older and the next
// newer one).
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "shape.h"

class Display;

// A run of linked shapes, newest first: `newest` links through `count` shapes to `oldest`.
// Undo keeps what a change took out of the drawing, or put into it, as such a run. A run that
// belongs to no list ends there: `oldest` links to nothing older (and linking it in sets the
// link of `newest` to the newer shape).
struct ShapeChain {
  Shape* newest = nullptr;
  Shape* oldest = nullptr;
  int count = 0;
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
  // shapes read. save returns whether the drawing was written; load returns the shapes it
  // added, now the newest of the list.
  bool save();
  ShapeChain load(Display& display);
  // LOAD with the name given: the error dialog if the file cannot be read.
  ShapeChain load(Display& display, const std::string& name);
  // Every shape's record, oldest first.
  void writeAll(std::ostream& out) const;
  // Visits the shapes oldest first. The next shape is read before the visit, so that the
  // processor knows it while the visit runs (a visit must not unlink shapes).
  template <typename Visit>
  void forEachOldestFirst(Visit visit) const {
    Shape* shape = oldest;
    for (int i = 0; i < count; ++i) {
      Shape* newer = shape->newer;
      visit(*shape);
      shape = newer;
    }
  }

  // Runs of shapes moved in and out in constant time, whatever their length; nothing is copied
  // or destroyed. `newer` names the place: the shape just newer than the run, nullptr for the
  // head.
  //
  // Every shape, or the newest one, as a run (still in the list).
  ShapeChain all() const { return {head, oldest, count}; }
  ShapeChain newestShape() const { return {head, head, head != nullptr ? 1 : 0}; }
  // Finds `shape`: sets `newer` to the shape just newer than it; false if it is not here.
  bool find(const Shape* shape, Shape*& newer) const;
  // Unlinks `chain`, which lies in this list right after `newer`; the list no longer owns it.
  void unlink(Shape* newer, const ShapeChain& chain);
  // Links `chain`, which belongs to no list, in right after `newer`; the list owns it again.
  void link(Shape* newer, const ShapeChain& chain);
  // Moves every shape of `from` on top of this list's shapes, keeping their order; returns
  // them as the run they now form here.
  ShapeChain addAll(ShapeList& from);
  // Destroys the shapes of a run that belongs to no list.
  static void destroy(const ShapeChain& chain);

 private:
  int count;
  Shape* head;
  Shape* oldest = nullptr;  // the last shape of the chain, so that runs link on in one step
};
