<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>global</name>
    <message>
        <source>Failed to load this directory.</source>
        <translation>Erste Zeile\nzweite\tZeile</translation>
    </message>
    <message>
        <source>Login failed.</source>
        <translation>Nur \N und \T bleiben</translation>
    </message>
</context>
</TS>
