#include "shape.h"

#include <ostream>

#include "record_format.h"

void Shape::write(std::ostream& out) {
  char record[kLongestRecord];
  out.write(record, static_cast<std::streamsize>(formatRecord(record, *this)));
}

void Shape::moveTo(int px, int py) {
  setPosition(px, py);
}

void Shape::resizeTo(Display&, int, int) {}

void Shape::setLineWidth(Display& display, int w) {
  lineWidth = w;
  draw(display);
}

void Shape::setColour(Display& display, int c) {
  colour = c;
  draw(display);
}

RecordFields Shape::fields() const {
  return {x, y, colour, lineWidth};
}

void Shape::setFields(const RecordFields& f) {
  x = f[0];
  y = f[1];
  colour = f[2];
  lineWidth = f[3];
}
