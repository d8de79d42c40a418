#pragma once

// Turns the text of a window description into a DescObject tree, or throws
// EDescriptionError with the line and the reason. The format:
//
//   object Form1: TForm1          // comments run to the end of the line
//     Left = 192                  // integers, also -11 and $7F
//     Caption = 'Pellamo'#13#10   // strings: '' for a quote, #NNN for a byte,
//       + 'more'                  //   pieces joined directly or by +
//     Font.Name = 'Tahoma'        // a sub-object's property
//     Anchors = [akLeft, akTop]   // sets
//     Menu = MainMenu1            // identifiers: enumeration values, True,
//     OnCreate = FormCreate       //   colour names, references, handlers, nil
//     Lines = ('one' 'two')       // string lists, items apart by blanks
//     Panels = <                  // collections
//       item
//         Width = 50
//       end>
//     object TreeView1: TTreeView // nested objects after the properties
//       Items.Data = {0E000000    // binary as hex, may span lines
//         01000000}
//     end
//   end
//
// Strings are bytes: GBK text may appear as it is in the (GBK) file.
// Nesting is bounded; parsing is linear in the text.

#include "platform/components/description_tree.h"

#include <string_view>

namespace pellamo {

DescObject ParseDescription(std::string_view text);

}
