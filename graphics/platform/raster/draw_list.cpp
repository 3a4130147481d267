#include "platform/raster/draw_list.h"

#include <limits>

namespace zr590::raster {

void DrawList::push(DrawOp op, std::string_view text) {
  if (op.kind == DrawOp::Text) {
    op.v[DrawOp::kTextOffset] = static_cast<std::int32_t>(text_.size());
    op.v[DrawOp::kTextLength] = static_cast<std::int32_t>(text.size());
    text_.append(text);
  }
  ops_.push_back(op);
}

void DrawList::clear() {
  ops_.clear();
  text_.clear();
}

void DrawList::splice(std::size_t keep, const DrawList& tail) {
  ops_.resize(keep);
  // The texts of the records kept end where the last kept text ends.
  std::size_t text_end = 0;
  for (std::size_t i = keep; i-- > 0;) {
    if (ops_[i].kind == DrawOp::Text) {
      text_end = static_cast<std::size_t>(ops_[i].v[DrawOp::kTextOffset]) +
                 static_cast<std::size_t>(ops_[i].v[DrawOp::kTextLength]);
      break;
    }
  }
  text_.resize(text_end);
  ops_.reserve(keep + tail.ops_.size());
  for (const DrawOp& op : tail.ops_) push(op, op.kind == DrawOp::Text ? tail.text(op) : "");
}

}  // namespace zr590::raster
