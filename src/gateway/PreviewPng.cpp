#include "gateway/PreviewPng.h"

#include <QBuffer>
#include <QImageWriter>
#include <vector>

#include "message/CommandDecoder.h"
#include "message/InlineCodes.h"
#include "preview/LedMatrixImage.h"
#include "preview/MarqueeModels.h"

QByteArray PreviewPng(std::string_view commandString, int model, int frame) {
  if (!FindMarqueeModel(model)) return {};
  const CommandMessage message = DecodeCommandString(commandString).message;
  const std::vector<LINE1_PROP> lines = DecodeInlineLines(message.text);
  PreviewSettings settings;
  settings.position = message.codes.position;
  settings.startLine = message.codes.line;
  settings.startColumn = message.codes.column;
  settings.effect = message.codes.effect;
  settings.model = model;
  CPreviewAnimation animation;
  PreviewFrame shown;
  for (int paint = 0; paint <= frame; ++paint) shown = animation.NextFrame(lines, settings, 1, 1);

  CLedMatrixImage image;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image.Paint(shown))) return {};
  return png;
}
