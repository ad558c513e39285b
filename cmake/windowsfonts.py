#!/usr/bin/python3
# windowsfonts.py FOLDER: the Liberation faces under the names Windows programs ask for, as
# fontconfig and the program's own stand-in give them on Linux: Arial is Liberation Sans, Times
# New Roman Liberation Serif, Tahoma Liberation Sans Narrow. Wine's offscreen Qt and its GDI
# find fonts by the family in the file, so the copies carry the Windows names.
import pathlib
import shutil
import sys

from fontTools.ttLib import TTFont

LIBERATION = pathlib.Path('/usr/share/fonts/truetype/liberation')
NAMES = {'LiberationSans': 'Arial', 'LiberationSerif': 'Times New Roman', 'LiberationSansNarrow': 'Tahoma'}

folder = pathlib.Path(sys.argv[1])
folder.mkdir(parents=True, exist_ok=True)
for source in sorted(LIBERATION.glob('*.ttf')):
    shutil.copy(source, folder / source.name)
    face, style = source.stem.split('-')
    family = NAMES.get(face)
    if family is None:
        continue
    font = TTFont(source)
    style_name = font['name'].getDebugName(2)
    postscript = family.replace(' ', '') + '-' + style_name.replace(' ', '')
    for record in font['name'].names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID == 4:
            record.string = family if style_name == 'Regular' else f'{family} {style_name}'
        elif record.nameID in (3, 6):
            record.string = postscript
    font.save(folder / f'{postscript}.ttf')
