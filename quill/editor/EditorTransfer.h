#pragma once
// The file through which the importer hands its reduced section to the editor
// and through which every export reaches the clipboard, in the current
// directory.
namespace quill {

inline const char* const kEditorTempFile = "avedtemp.bmp";

}  // namespace quill
