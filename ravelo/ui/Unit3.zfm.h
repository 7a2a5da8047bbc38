#pragma once
// Layout of the splash window.

inline constexpr const char* Unit3_zfm = R"zfm(object Form3: TForm3
  BorderStyle = bsNone
  Caption = 'Quenzel 2009'
  ClientWidth = 404
  ClientHeight = 204
  Color = clSkyBlue
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  object Image1: TImage
    Left = 2
    Top = 2
    Width = 400
    Height = 200
    AutoSize = True
  end
  object lblProgress: TLabel
    Left = 8
    Top = 184
    Caption = 'Init......'
    Color = clWhite
  end
  object outlblAppName: TLabel
    Left = 8
    Top = 8
    Caption = 'Quenzel 2009  v3.3.7'
    Color = clWhite
    Font.Color = clGray
    Font.Height = -13
    Font.Name = 'Arial Black'
  end
end
)zfm";
