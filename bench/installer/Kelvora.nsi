; The installer's job done by NSIS, for the installer benchmark: the same payload, the same driver probe,
; files, shortcut, scripts, program start and settings broadcast, in the same order.
; makensis -INPUTCHARSET UTF8 -DPAYLOAD=folder -DSCRIPTS=folder -DOUTFILE=file -DCOMPRESSOR=zlib|lzma
;          -DTARGET=x86-unicode|amd64-unicode Kelvora.nsi

Target ${TARGET}
Unicode true
SetCompressor /FINAL ${COMPRESSOR}
OutFile "${OUTFILE}"
Name "Kelvora"
Caption "Установка программы Kelvora [iKey / e-Kalit]"
InstallDir "$PROGRAMFILES\Kelvora"
RequestExecutionLevel admin
XPStyle on
ShowInstDetails show

Page directory
Page instfiles

!define HWND_BROADCAST 0xFFFF
!define WM_WININICHANGE 0x001A

Section
  ; The driver probe: one of the two token libraries must load.
  System::Call 'kernel32::LoadLibraryW(w "iKeyAPI.dll") p.r0'
  System::Call 'kernel32::FreeLibrary(p r0)'
  System::Call 'kernel32::LoadLibraryW(w "eKalit.dll") p.r1'
  System::Call 'kernel32::FreeLibrary(p r1)'
  IntPtrOp $2 $0 | $1
  IntPtrCmp $2 0 0 probed probed
    MessageBox MB_ICONSTOP "Драйвер для ключей Rainbow iKey (или UNICON e-Kalit) не установлен !" /SD IDOK
    SetErrorLevel 1
    Quit
  probed:

  DetailPrint "Начата установка программы ..."
  SetOutPath "$INSTDIR"
  DetailPrint "Копирование файла Kelvora.exe"
  File "${PAYLOAD}\Kelvora.exe"
  CreateShortcut "$SENDTO\Подписать c ЭЦП ....lnk" "$INSTDIR\Kelvora.exe" "-sign"
  DetailPrint "Копирование файла KelvoraV3DLL.dll"
  File "${PAYLOAD}\KelvoraV3DLL.dll"
  DetailPrint "Копирование файла iKeyAPI.dll"
  File "${PAYLOAD}\iKeyAPI.dll"
  DetailPrint "Копирование файла eKalit.dll"
  File "${PAYLOAD}\eKalit.dll"
  DetailPrint "Копирование файла registerdll.cmd"
  File "${SCRIPTS}\registerdll.cmd"
  IfFileExists "$INSTDIR\KelvoraDLL.dll" +2
    File "/oname=KelvoraDLL.dll" "${SCRIPTS}\registerdll.cmd"
  DetailPrint "Копирование файла unregisterdll.cmd"
  File "${SCRIPTS}\unregisterdll.cmd"
  DetailPrint "Копирование файла getmypublickey.cmd"
  File "${SCRIPTS}\getmypublickey.cmd"
  DetailPrint "Регистрация KelvoraV3DLL.dll"
  Exec "$INSTDIR\Kelvora.exe -install"
  SendMessage ${HWND_BROADCAST} ${WM_WININICHANGE} 0 "STR:RegistrySection"
SectionEnd
