#pragma once

class CLogFile;

// The logged text for an OpenGL error code; null for GL_NO_ERROR and unknown codes.
const char* GLErrorText(unsigned int code);

// Reads the first pending OpenGL error of the current context and logs it when known.
void CheckGLError(CLogFile& log);
