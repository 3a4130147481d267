// The shape-type table: each row's factory, writer and reader agree on its kind and on the
// order of its record's numbers, and only the rows' tools make shapes.
#include "shape_types.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "drawing_file.h"
#include "palette.h"
#include "shape_factory.h"
#include "shape_list.h"

namespace editor_test {
namespace {

std::string recordsOf(const ShapeList& list) {
  std::ostringstream out;
  list.writeAll(out);
  return out.str();
}

TEST(ShapeTypes, EachRowsToolMakesItsKindWithTheNumbersInRecordOrder) {
  const RecordFields given = {-7, 8, 2147483647, -2147483648, 11, 12};
  for (const ShapeType& type : shapeTypes()) {
    SCOPED_TRACE(std::string(type.word));
    EXPECT_EQ(shapeTypeNamed(type.word), &type);
    EXPECT_EQ(shapeTypeOfTool(type.tool), &type);
    const RecordFields& f = given;
    ShapeList list;
    if (type.clicks == 1) {
      addOnePointShape(f[0], f[1], type.tool, f[2], f[3], list);
    } else {
      addTwoPointShape(f[0], f[1], f[2], f[3], f[4], f[5], type.tool, list);
    }
    ASSERT_EQ(list.size(), 1);
    const std::string record = recordsOf(list);
    std::istringstream in(record);
    std::string word;
    in >> word;
    EXPECT_EQ(word, type.word);
    for (int i = 0; i < type.fieldCount(); ++i) {
      int value = 0;
      in >> value;
      EXPECT_EQ(value, f[i]) << "field " << i;
    }
    EXPECT_TRUE((in >> word).fail()) << "more numbers than the row's field count";

    std::istringstream again(record);
    ShapeList read;
    EXPECT_EQ(readRecords(again, read), 1);
    EXPECT_EQ(recordsOf(read), record);
  }
}

TEST(ShapeTypes, ToolsWithoutARowOrWithTheOtherClickCountMakeNothing) {
  ShapeList list;
  for (int tool = ToolSquare; tool <= ToolNone; ++tool) {
    const ShapeType* type = shapeTypeOfTool(tool);
    if (type == nullptr || type->clicks != 1) addOnePointShape(0, 0, tool, 0, 0, list);
    if (type == nullptr || type->clicks != 2) addTwoPointShape(0, 0, 5, 5, 0, 0, tool, list);
  }
  EXPECT_TRUE(list.isEmpty());
}

}  // namespace
}  // namespace editor_test
